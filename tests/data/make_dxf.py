#!/usr/bin/python3
"""Writes the DXF test drawings: two contour polylines followed by a text label and a point,
in three forms written by ezdxf, and as lightweight polylines written by GDAL's ogr2ogr.

Run from this folder: /usr/bin/python3 make_dxf.py (needs python3-ezdxf and gdal-bin).
"""
import json
import os
import subprocess
import tempfile

import ezdxf

# Neither contour has a vertex at X = 10, 20, 30 or 8, so a value taken for a group code shows.
CONTOURS = [
    [(1.5, 2.25), (3.5, 4.25), (5.5, 6.25)],
    [(11.0, 12.0), (13.0, 14.0), (15.0, 16.0), (17.0, 18.0)],
]
ELEVATIONS = [10.0, 20.0]


def add_label_and_point(msp):
    msp.add_text("105", dxfattribs={"insert": (50.0, 60.0), "height": 2.0})
    msp.add_point((70.0, 80.0))


def r12_polylines():
    doc = ezdxf.new("R12")
    # Entity handles then run 10A, 10B, ...: a handle read as a number is 10.
    doc.entitydb.handles.reset("10A")
    msp = doc.modelspace()
    for contour, z in zip(CONTOURS, ELEVATIONS):
        msp.add_polyline2d(contour, dxfattribs={"elevation": (0, 0, z)})
    add_label_and_point(msp)
    doc.saveas("contours_r12_polyline.dxf")


def r2000_drawing(name, add_contour):
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    for contour, z in zip(CONTOURS, ELEVATIONS):
        add_contour(msp, contour, z)
    add_label_and_point(msp)
    doc.saveas(name)


def ogr_lwpolylines(name, with_z):
    features = []
    for contour, z in zip(CONTOURS, ELEVATIONS):
        coords = [[x, y, z] if with_z else [x, y] for x, y in contour]
        features.append({"type": "Feature", "properties": {},
                         "geometry": {"type": "LineString", "coordinates": coords}})
    point = [70.0, 80.0, 0.0] if with_z else [70.0, 80.0]
    features.append({"type": "Feature", "properties": {},
                     "geometry": {"type": "Point", "coordinates": point}})
    with tempfile.TemporaryDirectory() as folder:
        source = os.path.join(folder, "contours.geojson")
        with open(source, "w") as f:
            json.dump({"type": "FeatureCollection", "features": features}, f)
        if os.path.exists(name):
            os.remove(name)
        subprocess.run(["ogr2ogr", "-f", "DXF", name, source], check=True)


if __name__ == "__main__":
    r12_polylines()
    r2000_drawing("contours_r2000_lwpolyline.dxf",
                  lambda msp, contour, z: msp.add_lwpolyline(contour, dxfattribs={"elevation": z}))
    r2000_drawing("contours_r2000_polyline.dxf",
                  lambda msp, contour, z: msp.add_polyline2d(contour, dxfattribs={"elevation": (0, 0, z)}))
    ogr_lwpolylines("contours_ogr_flat.dxf", with_z=False)
    ogr_lwpolylines("contours_ogr_elevation.dxf", with_z=True)

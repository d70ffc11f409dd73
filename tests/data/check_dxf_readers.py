#!/usr/bin/python3
"""Reads back the files the export writers wrote, each beside a JSON note of what it holds.

DXF files: ezdxf reads them strictly and audits them with no error; GDAL's ogrinfo finds every
3DFACE or POLYLINE with the written coordinates; LibreCAD prints each to a PDF page that, for a
file with entities, shows the drawing. XYZ grids: GDAL reads a grid of the noted size and range.
Exits non-zero, naming every failed check.
"""

import json
import os
import re
import subprocess
import sys
from pathlib import Path

import ezdxf

failures = []


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what)
    if not condition:
        failures.append(what)


def close(a, b):
    return len(a) == len(b) and all(abs(x - y) <= 1e-9 * max(1.0, abs(y)) for x, y in zip(a, b))


def ezdxf_entities(path):
    doc = ezdxf.readfile(str(path))
    auditor = doc.audit()
    check(not auditor.has_errors, f"{path.name}: ezdxf audit finds no error {auditor.errors}")
    faces, polylines = [], []
    for entity in doc.modelspace():
        if entity.dxftype() == "3DFACE":
            faces.append([list(entity.dxf.get(f"vtx{k}")) for k in range(3)])
        elif entity.dxftype() == "POLYLINE":
            polylines.append([list(v.dxf.location)[:2] for v in entity.vertices])
    return faces, polylines


def ogr_geometries(path):
    result = subprocess.run(["ogrinfo", "-ro", "-al", str(path)], capture_output=True, text=True, check=True)
    faces = [[[float(v) for v in corner.split()] for corner in body.split(",")[:3]]
             for body in re.findall(r"POLYGON Z \(\((.*?)\)\)", result.stdout)]
    lines = [[[float(v) for v in corner.split()][:2] for corner in body.split(",")]
             for body in re.findall(r"LINESTRING(?: Z)? \((.*?)\)", result.stdout)]
    return faces, lines


def librecad_ink(path, out):
    """Dark pixels on the PDF page LibreCAD prints, or None when it printed none."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    subprocess.run(["timeout", "120", "librecad", "dxf2pdf", "-a", "-t", str(out), str(path)],
                   env=env, capture_output=True, check=False)
    pdf = out / (path.stem + ".pdf")
    if not pdf.exists():
        return None
    subprocess.run(["pdftoppm", "-r", "72", "-gray", "-singlefile", str(pdf), str(out / path.stem)], check=True)
    data = (out / (path.stem + ".pgm")).read_bytes()
    # Binary PGM: "P5", width, height, maximum, then one byte per pixel.
    fields = data.split(maxsplit=4)
    width, height = int(fields[1]), int(fields[2])
    pixels = fields[4][-width * height:]
    return sum(1 for p in pixels if p < 128)


def check_dxf(path, note, out):
    faces, polylines = ezdxf_entities(path)
    ogr_faces, ogr_lines = ogr_geometries(path)
    if note["kind"] == "faces":
        expected = note["faces"]
        check(len(faces) == len(expected) and all(close(sum(f, []), sum(e, [])) for f, e in zip(faces, expected)),
              f"{path.name}: ezdxf reads the {len(expected)} faces with their corners")
        check(len(ogr_faces) == len(expected)
              and all(close(sum(f, []), sum(e, [])) for f, e in zip(ogr_faces, expected)),
              f"{path.name}: ogrinfo finds the {len(expected)} 3DFACE entities with their corners")
    else:
        expected = note["polylines"]
        check(len(polylines) == len(expected)
              and all(close(sum(p, []), sum(e, [])) for p, e in zip(polylines, expected)),
              f"{path.name}: ezdxf reads the {len(expected)} polylines with their vertices")
        check(len(ogr_lines) == len(expected)
              and all(close(sum(p, []), sum(e, [])) for p, e in zip(ogr_lines, expected)),
              f"{path.name}: ogrinfo finds the {len(expected)} POLYLINE entities with their vertices")
    ink = librecad_ink(path, out)
    check(ink is not None, f"{path.name}: LibreCAD prints a PDF page")
    if expected and ink is not None:
        check(ink > 200, f"{path.name}: the page shows the drawing ({ink} dark pixels)")


def check_grid(path, note):
    result = subprocess.run(["gdalinfo", "-json", "-mm", str(path)], capture_output=True, text=True, check=True)
    info = json.loads(result.stdout)
    check(info["size"] == [note["columns"], note["rows"]],
          f"{path.name}: GDAL reads a grid of {note['columns']} x {note['rows']} nodes (got {info['size']})")
    band = info["bands"][0]
    check(close([band["computedMin"], band["computedMax"]], [note["low"], note["high"]]),
          f"{path.name}: GDAL reads heights from {note['low']} to {note['high']}")


def main():
    folder = Path(sys.argv[1])
    out = folder / "printed"
    out.mkdir(exist_ok=True)
    notes = sorted(folder.glob("*.json"))
    check(len(notes) >= 4, f"the writers left {len(notes)} sample files")
    for note_path in notes:
        path = note_path.with_suffix("")
        note = json.loads(note_path.read_text())
        if note["kind"] == "grid":
            check_grid(path, note)
        else:
            check_dxf(path, note, out)
    if failures:
        print(f"{len(failures)} check(s) failed")
        return 1
    print("every reader read every file")
    return 0


if __name__ == "__main__":
    sys.exit(main())

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

#include "model/calcolaingombro.h"
#include "model/cancellacestino.h"
#include "model/creatrimesh.h"
#include "model/curvedilivello.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "model/terraindata.h"
#include "model/terrenopunti.h"
#include "rt/picture.h"
#include "rt/scene3d.h"
#include "tests/model/terrainsetup.h"

namespace {

using std::vector;

class NamedRoutines : public terraintest::TerrainTest {};

// Positions, colours and triangle corners, back to back.
vector<double> MeshValues(const rt::Trimesh& mesh) {
    vector<double> values;
    for (std::int32_t n = 0; n < mesh.VertexCount(); ++n) {
        const rt::Vector3D v = mesh.VertexPositions().Item(n);
        values.insert(values.end(), {v.X, v.Y, v.Z});
    }
    for (std::int32_t n = 0; n < mesh.VertexColors().Count(); ++n)
        values.push_back(mesh.VertexColors().Item(n));
    for (std::int32_t t = 0; t < mesh.TriangleCount(); ++t) {
        const rt::Triangle triangle = mesh.Triangles().Item(t);
        values.insert(values.end(), {static_cast<double>(triangle.A), static_cast<double>(triangle.B),
                                     static_cast<double>(triangle.C)});
    }
    return values;
}

vector<double> BoundsValues(const terrain::Bounds& b) {
    return {b.xmin, b.xmax, b.ymin, b.ymax, b.zmin, b.zmax, b.dx, b.dy, b.dz, b.rapp};
}

TEST_F(NamedRoutines, GiveTheirFunctionsResultsOnTheSharedValuesWithThePanelsSettingsAndReports) {
    vector<terraintest::Point> points;
    for (int k = 0; k < 60; ++k)
        points.push_back({(k * 37) % 150 * 1.0, (k * 11) % 70 * 1.0, 20.0 + (k * 13) % 50});
    const terrain::Survey survey = terraintest::Points(points);
    // The functions report here, the routines on the installed panel.
    terraintest::RecordingPanel alone;

    globali::survey = survey;
    Inizio::calcolaingombro();
    const terrain::Bounds bounds = terrain::MeasureBounds(survey, alone);
    EXPECT_EQ(BoundsValues(globali::bounds), BoundsValues(bounds));
    // The proposed Y count follows the new ratio, 69 / 148.
    EXPECT_EQ(panel.texts, (vector<std::string>{"span: 148,  69,  49", "x: 30", "y: 14"}));

    // The power slider at 15 and mode 2: two points a node, power 1.5.
    panel.power = 15;
    globali::mxtot = 7;
    globali::mytot = 5;
    globali::terrenopunti(2);
    terrain::HeightGrid grid;
    grid.nx = 7;
    grid.ny = 5;
    terrain::InterpolateGrid(survey, bounds, 1.5, false, grid, alone);
    EXPECT_EQ(terraintest::Nodes(globali::grid), terraintest::Nodes(grid));

    panel.ribbons = 9;
    globali::creatrimesh();
    const terrain::Meshes meshes = terrain::BuildMeshes(grid, bounds, 9, alone);
    EXPECT_EQ(MeshValues(*globali::terreno), MeshValues(*meshes.surface));
    EXPECT_EQ(MeshValues(*globali::tercurva), MeshValues(*meshes.ribbons));
    EXPECT_GT(globali::tercurva->VertexCount(), 0);

    // The top view, 300 x 140 for a canvas of 300 x 200, is pasted centred onto the backdrop.
    constexpr rt::Color kBackdrop = 0x2040C0;
    panel.canvasWidth = 300;
    panel.canvasHeight = 200;
    panel.backdrop = rt::Picture::New(300, 200, 32);
    panel.backdrop.Graphics().SetForeColor(kBackdrop);
    panel.backdrop.Graphics().FillRect(0, 0, 300, 200);
    globali::curvedilivello();
    const rt::Picture view = terrain::DrawTopView(grid, bounds, 300, 200, alone);
    ASSERT_EQ(vector<std::int32_t>({view.Width(), view.Height()}), vector<std::int32_t>({300, 140}));
    std::int64_t differing = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            differing +=
                panel.backdrop.Pixel(x, y) != (y < 30 || y >= 170 ? kBackdrop : view.Pixel(x, y - 30));
    EXPECT_EQ(differing, 0);

    EXPECT_EQ(panel.progress, alone.progress);
    EXPECT_EQ(panel.maximum, alone.maximum);
}

TEST_F(NamedRoutines, RowDeletionMovesTheSharedSurveyAndTheEditorsControlsOfLaterRows) {
    terrain::Survey survey = terraintest::Points({{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}});
    survey.rows.Redim(3, 1);
    survey.rowCount = 3;
    for (const auto& [row, first, last] : {std::tuple{1, 0, 1}, {2, 2, 1}, {3, 4, 0}}) {
        survey.rows(row, 0) = first;
        survey.rows(row, 1) = last;
    }
    survey.rowOfPoint = {1, 1, 2, 2, 3};
    terrain::EditorMaps maps;
    maps.points = 5;
    maps.pointRow = {0, 1, 1, 2, 2, 3};
    maps.segments = 2;
    maps.segmentRow.Redim(2, 1);
    maps.segmentRow(1, 0) = 1;
    maps.segmentRow(2, 0) = 3;

    globali::survey = survey;
    modulodxf::editormaps = maps;
    Inizio::cancellacestino(2);
    EXPECT_EQ(vector<double>(globali::px.begin(), globali::px.begin() + globali::ptot + 1),
              (vector<double>{0, 1, 4}));
    EXPECT_EQ(vector<std::int32_t>({modulodxf::dxfcounter, modulodxf::dxfpn(2, 0), modulodxf::dxfpn(2, 1)}),
              vector<std::int32_t>({2, 2, 0}));
    // The deleted row's own controls keep its number; those of row 3 move to row 2.
    EXPECT_EQ(modulodxf::qqpun, (vector<std::int32_t>{0, 1, 1, 2, 2, 2}));
    EXPECT_EQ(vector<std::int32_t>({modulodxf::qqlin(1, 0), modulodxf::qqlin(2, 0)}),
              vector<std::int32_t>({1, 2}));
}

} // namespace

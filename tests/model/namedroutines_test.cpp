#include <QImage>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "model/calcolaingombro.h"
#include "model/creatrimesh.h"
#include "model/curvedilivello.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/terraindata.h"
#include "model/terrenopunti.h"
#include "rt/picture.h"
#include "tests/model/terrainsetup.h"

namespace {

using std::vector;

class NamedRoutines : public terraintest::TerrainTest {};

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
    EXPECT_EQ(terraintest::Positions(*globali::terreno), terraintest::Positions(*meshes.surface));
    EXPECT_EQ(terraintest::Positions(*globali::tercurva), terraintest::Positions(*meshes.ribbons));
    EXPECT_GT(globali::tercurva->VertexCount(), 0);

    // The top view, 300 x 140 for a canvas of 300 x 200, is pasted centred onto the backdrop.
    panel.canvasWidth = 300;
    panel.canvasHeight = 200;
    panel.backdrop = rt::Picture::New(300, 200, 32);
    panel.backdrop.Graphics().SetForeColor(0x2040C0);
    panel.backdrop.Graphics().FillRect(0, 0, 300, 200);
    const rt::Picture expected = panel.backdrop.Copy();
    globali::curvedilivello();
    const rt::Picture view = terrain::DrawTopView(grid, bounds, 300, 200, alone);
    ASSERT_EQ(vector<std::int32_t>({view.Width(), view.Height()}), vector<std::int32_t>({300, 140}));
    expected.Graphics().DrawPicture(view, 0, 30);
    EXPECT_TRUE(panel.backdrop.Image() == expected.Image());

    EXPECT_EQ(panel.progress, alone.progress);
    EXPECT_EQ(panel.maximum, alone.maximum);
}

} // namespace

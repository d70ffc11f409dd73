#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "model/globali.h"
#include "rt/scene3d.h"
#include "terrainsetup.h"

namespace {

using terraintest::ProgressLog;
using terraintest::SetBounds;
using terraintest::SetGrid;
using terraintest::SetRibbonSetting;

void ExpectVertex(const rt::Trimesh& mesh, std::int32_t n, double x, double y, double z) {
    const rt::Vector3D v = mesh.VertexPositions().Item(n);
    EXPECT_DOUBLE_EQ(v.X, x) << "vertex " << n;
    EXPECT_DOUBLE_EQ(v.Y, y) << "vertex " << n;
    EXPECT_DOUBLE_EQ(v.Z, z) << "vertex " << n;
}

// Bounds x 0..20, y 0..20, heights 0..10 (scale 50, half spans 10, 10, 5) and a 2 by 2 grid with
// node (0, 0) at 1, (1, 0) at 5, (0, 1) at 3 and every other node at 5. Its segments, in order:
// level 2 in cell (0, 0) A; level 4 in cell (0, 0) A and B, then in cell (0, 1) A.
void ExampleGrid() {
    SetBounds(0, 20, 0, 20, 0, 10);
    SetGrid(2, 2, [](int i, int j) {
        if (i == 0 && j == 0)
            return 1.0;
        if (i == 0 && j == 1)
            return 3.0;
        return 5.0;
    });
}

TEST(ContourRibbons, EverySegmentBecomesABlackUprightQuadOnItsCellsFirstNode) {
    ExampleGrid();
    SetRibbonSetting(5);
    globali::creatrimesh();
    const rt::Trimesh& mesh = *globali::tercurva;
    ASSERT_EQ(mesh.VertexCount(), 16);
    ASSERT_EQ(mesh.TriangleCount(), 8);

    // Level 2, cell (0, 0) A: (2.5, 0) to (0, 5).
    ExpectVertex(mesh, 0, -375, -197.5, -500);
    ExpectVertex(mesh, 3, -375, -200, -500);
    // Level 4, cell (0, 0) A: (7.5, 0) to (5, 5), standing on node (0, 0) at scene height -200.
    ExpectVertex(mesh, 4, -125, -197.5, -500);
    ExpectVertex(mesh, 5, -250, -197.5, -250);
    ExpectVertex(mesh, 6, -250, -200, -250);
    ExpectVertex(mesh, 7, -125, -200, -500);
    // Level 4, cell (0, 0) B: (5, 10) to (5, 5), on the same node.
    ExpectVertex(mesh, 8, -250, -197.5, 0);
    ExpectVertex(mesh, 9, -250, -197.5, -250);
    // Level 4, cell (0, 1) A: (5, 10) to (0, 15), on node (0, 1) at -100: the band steps up.
    ExpectVertex(mesh, 12, -250, -97.5, 0);
    ExpectVertex(mesh, 13, -500, -97.5, 250);
    ExpectVertex(mesh, 14, -500, -100, 250);
    ExpectVertex(mesh, 15, -250, -100, 0);

    for (std::int32_t q = 0; q < 4; ++q) {
        const rt::Triangle first = mesh.Triangles().Item(2 * q);
        const rt::Triangle second = mesh.Triangles().Item(2 * q + 1);
        EXPECT_EQ(first.A, 4 * q);
        EXPECT_EQ(first.B, 4 * q + 1);
        EXPECT_EQ(first.C, 4 * q + 2);
        EXPECT_EQ(second.A, 4 * q + 2);
        EXPECT_EQ(second.B, 4 * q + 3);
        EXPECT_EQ(second.C, 4 * q);
    }
    EXPECT_TRUE(mesh.HasVertexColors);
    EXPECT_TRUE(mesh.RenderBackFaces);
    ASSERT_EQ(mesh.VertexColors().Count(), 16);
    for (std::int32_t n = 0; n < 16; ++n)
        EXPECT_EQ(mesh.VertexColors().Item(n), 0u);
}

TEST(ContourRibbons, ThicknessFollowsTheRibbonSetting) {
    ExampleGrid();
    const std::vector<std::pair<std::int32_t, double>> cases = {{14, 25.0}, {5, 2.5}, {1, 2500.0 / 1400.0}};
    for (const auto& [setting, thickness] : cases) {
        SetRibbonSetting(setting);
        globali::creatrimesh();
        const rt::Trimesh& mesh = *globali::tercurva;
        ASSERT_EQ(mesh.VertexCount(), 16);
        EXPECT_NEAR(mesh.VertexPositions().Item(4).Y - mesh.VertexPositions().Item(7).Y, thickness, 1e-12)
            << "setting " << setting;
    }
}

TEST(ContourRibbons, EachLevelReportsOnceInBothPasses) {
    ExampleGrid();
    SetRibbonSetting(3);
    ProgressLog log;
    globali::creatrimesh();
    EXPECT_EQ(log.values, (std::vector<std::int32_t>{0,  10, 20, 20, 30, 40, 40, 50, 60, 60, 70,  80,
                                                     82, 84, 86, 88, 90, 90, 92, 94, 96, 98, 100, 0}));
}

TEST(ContourRibbons, FlatGridOnASingleLevelHasNoRibbonsButIsFinished) {
    SetBounds(0, 20, 0, 20, 4, 4);
    SetGrid(2, 2, [](int, int) { return 4.0; });
    SetRibbonSetting(7);
    ProgressLog log;
    globali::creatrimesh();
    const rt::Trimesh& mesh = *globali::tercurva;
    EXPECT_EQ(mesh.VertexCount(), 0);
    EXPECT_EQ(mesh.TriangleCount(), 0);
    EXPECT_TRUE(mesh.HasVertexColors);
    EXPECT_TRUE(mesh.RenderBackFaces);
    ASSERT_GE(log.values.size(), 3u);
    EXPECT_EQ(log.values[log.values.size() - 3], 80);
    EXPECT_EQ(log.values[log.values.size() - 2], 90);
    EXPECT_EQ(log.values.back(), 0);
}

TEST(ContourRibbons, EveryQuadIsWrittenOnAWiderGrid) {
    SetBounds(0, 90, 0, 60, -7, 23);
    SetGrid(9, 6, [](int i, int j) { return -7.0 + 30.0 * (0.5 + 0.5 * std::sin(0.9 * i + 0.4 * j * j)); });
    globali::zmin = -7;
    globali::zmax = 23;
    SetRibbonSetting(10);
    globali::creatrimesh();
    const rt::Trimesh& mesh = *globali::tercurva;
    const std::int32_t quads = mesh.VertexCount() / 4;
    ASSERT_GT(quads, 20);
    EXPECT_EQ(mesh.VertexCount(), 4 * quads);
    EXPECT_EQ(mesh.TriangleCount(), 2 * quads);
    const double scale = 1000.0 / 90.0;
    const double thickness = (90.0 + 60.0 + 30.0) * scale / 500.0;
    for (std::int32_t q = 0; q < quads; ++q) {
        const rt::Vector3D top0 = mesh.VertexPositions().Item(4 * q);
        const rt::Vector3D top1 = mesh.VertexPositions().Item(4 * q + 1);
        const rt::Vector3D bottom1 = mesh.VertexPositions().Item(4 * q + 2);
        const rt::Vector3D bottom0 = mesh.VertexPositions().Item(4 * q + 3);
        EXPECT_EQ(top0.X, bottom0.X);
        EXPECT_EQ(top0.Z, bottom0.Z);
        EXPECT_EQ(top1.X, bottom1.X);
        EXPECT_EQ(top1.Z, bottom1.Z);
        EXPECT_NEAR(top0.Y - bottom0.Y, thickness, 1e-9) << "quad " << q;
        EXPECT_EQ(bottom0.Y, bottom1.Y);
        EXPECT_LE(std::fabs(top0.X), 500.0);
        EXPECT_LE(std::fabs(top0.Z), 500.0);
    }
    const rt::Triangle last = mesh.Triangles().Item(2 * quads - 1);
    EXPECT_EQ(last.A, 4 * quads - 2);
    EXPECT_EQ(last.C, 4 * quads - 4);
}

TEST(ContourRibbons, ExtremeHeightsGiveFiniteRibbons) {
    const double big = std::numeric_limits<double>::max();
    SetBounds(0, 20, 0, 20, -big, big);
    SetGrid(2, 2, [big](int i, int j) { return (i + j) % 2 == 0 ? -big / 2 : big / 2; });
    SetRibbonSetting(14);
    globali::creatrimesh();
    const rt::Trimesh& mesh = *globali::tercurva;
    ASSERT_GT(mesh.VertexCount(), 0);
    for (std::int32_t n = 0; n < mesh.VertexCount(); ++n) {
        const rt::Vector3D v = mesh.VertexPositions().Item(n);
        EXPECT_TRUE(std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z)) << "vertex " << n;
    }
}

} // namespace

// The 3D surface mesh of the height grid and its contour ribbons.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "model/contours.h"
#include "model/globali.h"
#include "model/meshtransform.h"
#include "rt/runtime.h"
#include "rt/scene3d.h"
#include "tests/model/terrainsetup.h"

namespace {

using std::vector;
using terraintest::SetBounds;
using terraintest::SetGrid;

class Meshes : public terraintest::TerrainTest {
protected:
    // Bounds x 0..20, y 0..20, heights 0..10 (scale 50, half spans 10, 10, 5) and a 2 by 2 grid
    // with node (0, 0) at 1, (0, 1) at 3 and every other node at 5. Its segments, in order: level
    // 2 in cell (0, 0) A; level 4 in cell (0, 0) A and B, then in cell (0, 1) A.
    void RibbonExample(std::int32_t setting) {
        SetBounds(0, 20, 0, 20, 0, 10);
        SetGrid(2, 2, [](int i, int j) { return i == 0 && j == 0 ? 1.0 : i == 0 && j == 1 ? 3.0 : 5.0; });
        panel.ribbons = setting;
    }
};

vector<double> Position(const rt::Trimesh& mesh, std::int32_t n) {
    const rt::Vector3D v = mesh.VertexPositions().Item(n);
    return {v.X, v.Y, v.Z};
}

bool MeshIsFinite(const rt::Trimesh& mesh) {
    for (std::int32_t n = 0; n < mesh.VertexCount(); ++n) {
        const rt::Vector3D v = mesh.VertexPositions().Item(n);
        if (!std::isfinite(v.X) || !std::isfinite(v.Y) || !std::isfinite(v.Z))
            return false;
    }
    return true;
}

// Triangles first to first + count - 1, their corners back to back.
vector<std::int32_t> Corners(const rt::Trimesh& mesh, std::int32_t first, std::int32_t count) {
    vector<std::int32_t> corners;
    for (std::int32_t t = first; t < first + count; ++t) {
        const rt::Triangle triangle = mesh.Triangles().Item(t);
        corners.insert(corners.end(), {triangle.A, triangle.B, triangle.C});
    }
    return corners;
}

// Ribbon quad q: its top start, top end, bottom end and bottom start, x y z each.
vector<double> Quad(const rt::Trimesh& mesh, std::int32_t q) {
    vector<double> corners;
    for (std::int32_t n = 4 * q; n < 4 * q + 4; ++n) {
        const vector<double> p = Position(mesh, n);
        corners.insert(corners.end(), p.begin(), p.end());
    }
    return corners;
}

TEST_F(Meshes, NewMeshesNumberVerticesAlongXRowByRowAndSplitCellsOnTheRisingDiagonal) {
    SetBounds(0, 30, 0, 20, 0, 10);
    SetGrid(3, 2, [](int i, int j) { return i + 3.0 * j; });
    globali::creatrimesh();
    EXPECT_EQ(globali::tercurva->VertexCount() + globali::tercurva->TriangleCount(), 0);
    const rt::Trimesh& mesh = *globali::terreno;
    ASSERT_EQ(mesh.VertexCount(), 12);
    ASSERT_EQ(mesh.TriangleCount(), 12);
    EXPECT_EQ(Corners(mesh, 10, 2), (vector<std::int32_t>{6, 10, 11, 11, 7, 6})); // cell (2, 1)
    // Vertex 6 is node (2, 1) at height 5; scale 1000 / 30, half spans 15, 10, 5.
    EXPECT_EQ(Position(mesh, 6), (vector<double>{(20.0 - 15.0) * (1000.0 / 30.0), 0.0, 0.0}));
    EXPECT_EQ(mesh.VertexColors().Item(7), contours::HeightColour(6.0));
    EXPECT_TRUE(mesh.RenderBackFaces && mesh.HasVertexColors);
}

TEST_F(Meshes, ExtremeMissingOrShortGridDataNeverReachesTheMeshes) {
    const double big = std::numeric_limits<double>::max();
    SetBounds(-big, big, -big, big, -big, big);
    SetGrid(2, 2, [big](int i, int j) { return (i + j) % 2 == 0 ? -big : big; });
    globali::mz(1, 1) = NAN;
    panel.ribbons = 14;
    globali::creatrimesh();
    ASSERT_EQ(globali::terreno->VertexCount(), 9);
    EXPECT_TRUE(MeshIsFinite(*globali::terreno));
    EXPECT_NEAR(Position(*globali::terreno, 0)[0], -500.0, 1e-9);
    EXPECT_NEAR(Position(*globali::terreno, 8)[2], 500.0, 1e-9);
    EXPECT_GT(globali::tercurva->VertexCount(), 0);
    EXPECT_TRUE(MeshIsFinite(*globali::tercurva));
    // No span at all: everything sits at the origin.
    SetBounds(3, 3, 4, 4, 5, 5);
    SetGrid(2, 2, [](int, int) { return 5.0; });
    globali::creatrimesh();
    EXPECT_EQ(Position(*globali::terreno, 8), (vector<double>{0, 0, 0}));
    // Counts beyond the grid arrays: no mesh.
    globali::mxtot = 5;
    globali::creatrimesh();
    EXPECT_EQ(globali::terreno->VertexCount() + globali::tercurva->VertexCount(), 0);
    EXPECT_EQ(panel.progress.back(), 0);
}

TEST_F(Meshes, EverySegmentBecomesABlackUprightQuadOnItsCellsFirstNode) {
    RibbonExample(5);
    globali::creatrimesh();
    const rt::Trimesh& mesh = *globali::tercurva;
    ASSERT_EQ(mesh.VertexCount(), 16);
    ASSERT_EQ(mesh.TriangleCount(), 8);
    // Level 2, cell (0, 0) A: (2.5, 0) to (0, 5), 2.5 thick, standing on node (0, 0) at -200.
    EXPECT_EQ(Quad(mesh, 0),
              (vector<double>{-375, -197.5, -500, -500, -197.5, -250, -500, -200, -250, -375, -200, -500}));
    // Level 4, cell (0, 1) A: (5, 10) to (0, 15), on node (0, 1) at -100: the band steps up.
    EXPECT_EQ(Quad(mesh, 3),
              (vector<double>{-250, -97.5, 0, -500, -97.5, 250, -500, -100, 250, -250, -100, 0}));
    EXPECT_EQ(Corners(mesh, 6, 2), (vector<std::int32_t>{12, 13, 14, 14, 15, 12}));
    EXPECT_TRUE(mesh.HasVertexColors && mesh.RenderBackFaces);
    ASSERT_EQ(mesh.VertexColors().Count(), 16);
    EXPECT_EQ(mesh.VertexColors().Item(0) | mesh.VertexColors().Item(15), 0u);
    for (const auto& [setting, thickness] : {std::pair{14, 25.0}, {1, 2500.0 / 1400.0}}) {
        RibbonExample(setting);
        globali::creatrimesh();
        const vector<double> quad = Quad(*globali::tercurva, 1);
        EXPECT_NEAR(quad[1] - quad[10], thickness, 1e-12) << "setting " << setting;
    }
}

// The ribbons as the plain tracing of every level through every cell gives them: per segment,
// its quad's four corners.
vector<double> PlainRibbons(double thickness) {
    using namespace globali;
    const meshbuild::MeshTransform t = meshbuild::TransformFromBounds();
    const contours::LevelSeries levels = contours::LevelSeriesFor(50.0);
    vector<double> quads;
    for (std::int64_t k = levels.kmin; k <= levels.kmax; k += levels.step)
        for (int i = 0; i < mxtot; ++i)
            for (int j = 0; j < mytot; ++j) {
                const contours::CellTrace trace = contours::TraceCell(
                    contours::LevelHeight(k), {mx(i, j), my(i, j), mz(i, j)},
                    {mx(i + 1, j), my(i + 1, j), mz(i + 1, j)}, {mx(i, j + 1), my(i, j + 1), mz(i, j + 1)},
                    {mx(i + 1, j + 1), my(i + 1, j + 1), mz(i + 1, j + 1)});
                const double base = t.Z(mz(i, j));
                for (const auto* s : {trace.hasA ? &trace.a : nullptr, trace.hasB ? &trace.b : nullptr})
                    if (s != nullptr)
                        quads.insert(quads.end(), {t.X(s->x0), base + thickness, t.Y(s->y0), t.X(s->x1),
                                                   base + thickness, t.Y(s->y1), t.X(s->x1), base, t.Y(s->y1),
                                                   t.X(s->x0), base, t.Y(s->y0)});
            }
    return quads;
}

TEST_F(Meshes, RibbonsHoldEverySegmentOfThePlainTracingInItsOrderWithTheSameYieldsAndProgress) {
    for (const auto& g : terraintest::TracingGrids()) {
        SetBounds(0, 90, 0, 60, g.zmin, g.zmax);
        SetGrid(g.nx, g.ny, g.height);
        panel.ribbons = 9;
        panel.progress.clear();
        const std::uint64_t before = rt::YieldCount();

        globali::creatrimesh();

        const rt::Trimesh& mesh = *globali::tercurva;
        vector<double> quads;
        for (std::int32_t q = 0; q < mesh.VertexCount() / 4; ++q) {
            const vector<double> quad = Quad(mesh, q);
            quads.insert(quads.end(), quad.begin(), quad.end());
        }
        const double thickness = meshbuild::RibbonThickness(meshbuild::TransformFromBounds(), 9);
        EXPECT_EQ(quads, PlainRibbons(thickness)) << g.nx << " x " << g.ny;
        EXPECT_GT(quads.size(), 0u);

        // Per surface phase a yield per node (cell) and per row; per ribbon pass and level one per
        // cell, one per column and one more.
        const contours::LevelSeries levels = contours::LevelSeriesFor(50.0);
        const std::uint64_t nodes = (g.nx + 1) * (g.ny + 1), rows = g.ny + 1;
        const std::uint64_t levelCount = (std::int64_t{levels.kmax} - levels.kmin) / levels.step + 1;
        const std::uint64_t surface = 3 * (nodes + rows) + g.nx * g.ny + g.ny;
        EXPECT_EQ(rt::YieldCount() - before, surface + 2 * levelCount * (g.nx * g.ny + g.nx + 1));
        const vector<std::int32_t> tail(panel.progress.end() - 2 * levelCount - 1, panel.progress.end());
        vector<std::int32_t> expected;
        for (const double base : {80.0, 90.0})
            for (std::int64_t k = levels.kmin; k <= levels.kmax; k += levels.step)
                expected.push_back(rt::conv(
                    static_cast<double>(k - levels.kmin) / (levels.kmax - levels.kmin) * 10.0 + base));
        expected.push_back(0);
        EXPECT_EQ(tail, expected);
    }
}

} // namespace

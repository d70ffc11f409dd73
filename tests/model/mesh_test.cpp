#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

#include "model/contours.h"
#include "model/creatrimesh.h"
#include "model/curvedilivello.h"
#include "model/meshtransform.h"
#include "model/terraindata.h"
#include "rt/conv.h"
#include "rt/picture.h"
#include "rt/runtime.h"
#include "rt/scene3d.h"
#include "tests/model/terrainsetup.h"

namespace {

using contours::HeightColour;
using contours::TraceCell;
using std::vector;
using terraintest::Bounds;
using terraintest::Grid;
using terraintest::Positions;

constexpr double kBig = std::numeric_limits<double>::max();

class Terrain : public terraintest::TerrainValues {
protected:
    // Bounds x 0..20, y 0..20, heights 0..10 (scale 50, half spans 10, 10, 5) and a 2 by 2 grid
    // with node (0, 0) at 1, (0, 1) at 3 and every other node at 5. Its segments, in order: level
    // 2 in cell (0, 0) A; level 4 in cell (0, 0) A and B, then in cell (0, 1) A.
    terrain::Meshes RibbonExample(std::int32_t setting) {
        const terrain::Bounds bounds = Bounds(0, 20, 0, 20, 0, 10);
        const terrain::HeightGrid grid = Grid(bounds, 2, 2, [](int i, int j) {
            return i == 0 && j == 0 ? 1.0 : i == 0 && j == 1 ? 3.0 : 5.0;
        });
        return terrain::BuildMeshes(grid, bounds, setting, progress);
    }
};

TEST_F(Terrain, HueAndLevelSeriesFollowTheHeightRangeEvenWhenItOverflows) {
    const struct {
        double zmin, zmax, z, hue;
    } hues[] = {{-40, 60, -40, 0.33}, {-40, 60, 60, 0.0}, {-kBig, kBig, 0, 0.165}, {-kBig, kBig, NAN, 0.33}};
    for (const auto& c : hues)
        EXPECT_EQ(HeightColour(c.z, c.zmin, c.zmax), rt::HSV(c.hue, 0.66, 0.33))
            << c.z << " in " << c.zmin << ".." << c.zmax;
    const struct {
        double zmin, zmax, divisor;
        std::int32_t kmin, kmax, step;
    } series[] = {
        {-1, 0, 50, -1, 0, 1}, // -0.5 halves away from zero
        {0, 140, 20, 0, 70, 4},
        {-kBig, kBig, 20, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(),
         rt::conv(4294967295.0 / 20.0)},
    };
    for (const auto& c : series) {
        const contours::LevelSeries s = contours::LevelSeriesFor(c.divisor, c.zmin, c.zmax);
        EXPECT_EQ(vector<std::int32_t>({s.kmin, s.kmax, s.step}),
                  vector<std::int32_t>({c.kmin, c.kmax, c.step}))
            << c.zmin << ".." << c.zmax << " / " << c.divisor;
    }
}

TEST_F(Terrain, NeighbouringCellsMeetExactlyOnTheirSharedEdge) {
    // Cells (0, 0) and (1, 0) share the edge at x = 10; interpolating it from its upper end would
    // round differently.
    const contours::Node a00{0, 0, 1}, a10{10, 0, 1.1}, a01{0, 10, 1.5}, a11{10, 10, 7}, b10{20, 0, 2.5},
        b11{20, 10, 8};
    const contours::CellTrace left = TraceCell(3.3, a00, a10, a01, a11);
    const contours::CellTrace right = TraceCell(3.3, a10, b10, a11, b11);
    ASSERT_TRUE(left.hasB && right.hasA);
    EXPECT_EQ(vector<double>({left.b.x1, left.b.y1}), vector<double>({right.a.x0, right.a.y0}));
}

TEST_F(Terrain, TopViewWithoutSpanOrFiniteHeightsStaysDefined) {
    const terrain::Bounds flat = Bounds(0, 100, 50, 50, 0, 10);
    EXPECT_FALSE(terrain::DrawTopView(Grid(flat, 2, 2, [](int i, int) { return 1.0 + 2.0 * i; }), flat, 400,
                                      300, progress));
    EXPECT_EQ(progress.progress.back(), 0);
    const terrain::Bounds steep = Bounds(0, 100, 0, 100, -kBig, kBig);
    const rt::Picture view =
        terrain::DrawTopView(Grid(steep, 4, 4, [](int i, int j) { return (i + j) % 2 == 0 ? -kBig : kBig; }),
                             steep, 400, 400, progress);
    EXPECT_EQ(progress.maximum, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(vector<rt::Color>({view.Pixel(1, 1), view.Pixel(101, 1)}),
              vector<rt::Color>({HeightColour(-kBig, -kBig, kBig), HeightColour(kBig, -kBig, kBig)}));
}

// The top view of a w x h picture drawn by the plain loops: every node's rectangle, then every
// level's segments through every cell.
rt::Picture PlainTopView(const terrain::HeightGrid& grid, double zmin, double zmax, std::int32_t w,
                         std::int32_t h) {
    const std::int32_t mxtot = grid.nx, mytot = grid.ny;
    const Array2D<double>& mz = grid.z;
    const rt::Picture picture = rt::Picture::New(w, h, 32);
    rt::Graphics& g = picture.Graphics();
    auto at = [](int index, int size, int count) { return static_cast<double>(index * size) / count; };
    for (int i = 0; i <= mxtot; ++i)
        for (int j = 0; j <= mytot; ++j) {
            g.SetForeColor(HeightColour(mz(i, j), zmin, zmax));
            g.FillRect(rt::conv(at(i, w, mxtot)), rt::conv(at(j, h, mytot)),
                       rt::conv(static_cast<double>(w) / mxtot + 1.0),
                       rt::conv(static_cast<double>(h) / mytot + 1.0));
        }
    g.SetForeColor(0);
    const contours::LevelSeries levels = contours::LevelSeriesFor(20.0, zmin, zmax);
    for (std::int64_t k = levels.kmin; k <= levels.kmax; k += levels.step)
        for (int i = 0; i < mxtot; ++i)
            for (int j = 0; j < mytot; ++j) {
                const double x0 = at(i, w, mxtot), x1 = at(i + 1, w, mxtot), y0 = at(j, h, mytot),
                             y1 = at(j + 1, h, mytot);
                const contours::CellTrace t =
                    TraceCell(contours::LevelHeight(k), {x0, y0, mz(i, j)}, {x1, y0, mz(i + 1, j)},
                              {x0, y1, mz(i, j + 1)}, {x1, y1, mz(i + 1, j + 1)});
                for (const auto* s : {t.hasA ? &t.a : nullptr, t.hasB ? &t.b : nullptr})
                    if (s != nullptr)
                        g.DrawLine(rt::conv(s->x0), rt::conv(s->y0), rt::conv(s->x1), rt::conv(s->y1));
            }
    return picture;
}

TEST_F(Terrain, TopViewDrawsThePixelsOfThePlainLoopsWithTheSameYields) {
    for (const auto& g : terraintest::TracingGrids()) {
        const terrain::Bounds bounds = Bounds(0, 90, 0, 75, g.zmin, g.zmax);
        const terrain::HeightGrid grid = Grid(bounds, g.nx, g.ny, g.height);
        const std::uint64_t before = rt::YieldCount();
        // A picture 240 x 200 for a canvas of 300 x 200.
        const rt::Picture view = terrain::DrawTopView(grid, bounds, 300, 200, progress);
        EXPECT_TRUE(view.Image() == PlainTopView(grid, g.zmin, g.zmax, 240, 200).Image())
            << g.nx << " x " << g.ny;
        const contours::LevelSeries levels = contours::LevelSeriesFor(20.0, g.zmin, g.zmax);
        const std::uint64_t levelCount = (std::int64_t{levels.kmax} - levels.kmin) / levels.step + 1;
        EXPECT_EQ(rt::YieldCount() - before, (g.nx + 1) * (g.ny + 2) + levelCount * (g.nx * g.ny + g.nx + 1));
        EXPECT_EQ(progress.progress.back(), 0);
    }
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

TEST_F(Terrain, NewMeshesNumberVerticesAlongXRowByRowAndSplitCellsOnTheRisingDiagonal) {
    const terrain::Bounds bounds = Bounds(0, 30, 0, 20, 0, 10);
    const terrain::Meshes meshes = terrain::BuildMeshes(
        Grid(bounds, 3, 2, [](int i, int j) { return i + 3.0 * j; }), bounds, 0, progress);
    EXPECT_EQ(meshes.ribbons->VertexCount() + meshes.ribbons->TriangleCount(), 0);
    const rt::Trimesh& mesh = *meshes.surface;
    ASSERT_EQ(mesh.VertexCount(), 12);
    ASSERT_EQ(mesh.TriangleCount(), 12);
    EXPECT_EQ(Corners(mesh, 10, 2), (vector<std::int32_t>{6, 10, 11, 11, 7, 6})); // cell (2, 1)
    // Vertex 6 is node (2, 1) at height 5; scale 1000 / 30, half spans 15, 10, 5.
    EXPECT_EQ(Positions(mesh, 6, 1), (vector<double>{(20.0 - 15.0) * (1000.0 / 30.0), 0.0, 0.0}));
    EXPECT_EQ(mesh.VertexColors().Item(7), contours::HeightColour(6.0, 0, 10));
    EXPECT_TRUE(mesh.RenderBackFaces && mesh.HasVertexColors);
}

TEST_F(Terrain, ExtremeMissingOrShortGridDataNeverReachesTheMeshes) {
    const terrain::Bounds extreme = Bounds(-kBig, kBig, -kBig, kBig, -kBig, kBig);
    terrain::HeightGrid grid =
        Grid(extreme, 2, 2, [](int i, int j) { return (i + j) % 2 == 0 ? -kBig : kBig; });
    grid.z(1, 1) = NAN;
    terrain::Meshes meshes = terrain::BuildMeshes(grid, extreme, 14, progress);
    ASSERT_EQ(meshes.surface->VertexCount(), 9);
    EXPECT_TRUE(terraintest::AllFinite(Positions(*meshes.surface)));
    EXPECT_NEAR(Positions(*meshes.surface, 0, 1)[0], -500.0, 1e-9);
    EXPECT_NEAR(Positions(*meshes.surface, 8, 1)[2], 500.0, 1e-9);
    EXPECT_GT(meshes.ribbons->VertexCount(), 0);
    EXPECT_TRUE(terraintest::AllFinite(Positions(*meshes.ribbons)));
    // No span at all: everything sits at the origin.
    const terrain::Bounds point = Bounds(3, 3, 4, 4, 5, 5);
    grid = Grid(point, 2, 2, [](int, int) { return 5.0; });
    meshes = terrain::BuildMeshes(grid, point, 14, progress);
    EXPECT_EQ(Positions(*meshes.surface, 8, 1), (vector<double>{0, 0, 0}));
    // Counts beyond the grid arrays: no mesh.
    grid.nx = 5;
    meshes = terrain::BuildMeshes(grid, point, 14, progress);
    EXPECT_EQ(meshes.surface->VertexCount() + meshes.ribbons->VertexCount(), 0);
    EXPECT_EQ(progress.progress.back(), 0);
}

TEST_F(Terrain, EverySegmentBecomesABlackUprightQuadOnItsCellsFirstNode) {
    const terrain::Meshes meshes = RibbonExample(5);
    const rt::Trimesh& mesh = *meshes.ribbons;
    ASSERT_EQ(mesh.VertexCount(), 16);
    ASSERT_EQ(mesh.TriangleCount(), 8);
    // Quad q is vertices 4q..4q + 3: top start, top end, bottom end, bottom start. Level 2, cell
    // (0, 0) A: (2.5, 0) to (0, 5), 2.5 thick, standing on node (0, 0) at -200.
    EXPECT_EQ(Positions(mesh, 0, 4),
              (vector<double>{-375, -197.5, -500, -500, -197.5, -250, -500, -200, -250, -375, -200, -500}));
    EXPECT_EQ(Corners(mesh, 6, 2), (vector<std::int32_t>{12, 13, 14, 14, 15, 12}));
    EXPECT_TRUE(mesh.HasVertexColors && mesh.RenderBackFaces);
    ASSERT_EQ(mesh.VertexColors().Count(), 16);
    EXPECT_EQ(mesh.VertexColors().Item(0) | mesh.VertexColors().Item(15), 0u);
    for (const auto& [setting, thickness] : {std::pair{14, 25.0}, {1, 2500.0 / 1400.0}}) {
        const vector<double> quad = Positions(*RibbonExample(setting).ribbons, 4, 4);
        EXPECT_NEAR(quad[1] - quad[10], thickness, 1e-12) << "setting " << setting;
    }
}

// The ribbons as the plain tracing of every level through every cell gives them: per segment,
// its quad's four corners.
vector<double> PlainRibbons(const terrain::HeightGrid& grid, const terrain::Bounds& bounds,
                            double thickness) {
    const std::int32_t mxtot = grid.nx, mytot = grid.ny;
    const Array2D<double>&mx = grid.x, &my = grid.y, &mz = grid.z;
    const meshbuild::MeshTransform t = meshbuild::TransformFromBounds(bounds);
    const contours::LevelSeries levels = contours::LevelSeriesFor(50.0, bounds.zmin, bounds.zmax);
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

TEST_F(Terrain, RibbonsHoldEverySegmentOfThePlainTracingInItsOrderWithTheSameYieldsAndProgress) {
    for (const auto& g : terraintest::TracingGrids()) {
        const terrain::Bounds bounds = Bounds(0, 90, 0, 60, g.zmin, g.zmax);
        const terrain::HeightGrid grid = Grid(bounds, g.nx, g.ny, g.height);
        progress.progress.clear();
        const std::uint64_t before = rt::YieldCount();
        const terrain::Meshes meshes = terrain::BuildMeshes(grid, bounds, 9, progress);
        const rt::Trimesh& mesh = *meshes.ribbons;
        const vector<double> quads = Positions(mesh, 0, mesh.VertexCount() / 4 * 4);
        const double thickness =
            meshbuild::RibbonThickness(bounds, meshbuild::TransformFromBounds(bounds), 9);
        EXPECT_EQ(quads, PlainRibbons(grid, bounds, thickness)) << g.nx << " x " << g.ny;
        EXPECT_GT(quads.size(), 0u);
        // Per surface phase a yield per node (cell) and per row; per ribbon pass and level one per
        // cell, one per column and one more.
        const contours::LevelSeries levels = contours::LevelSeriesFor(50.0, g.zmin, g.zmax);
        const std::uint64_t nodes = (g.nx + 1) * (g.ny + 1), rows = g.ny + 1;
        const std::uint64_t levelCount = (std::int64_t{levels.kmax} - levels.kmin) / levels.step + 1;
        const std::uint64_t surface = 3 * (nodes + rows) + g.nx * g.ny + g.ny;
        EXPECT_EQ(rt::YieldCount() - before, surface + 2 * levelCount * (g.nx * g.ny + g.nx + 1));
        const vector<std::int32_t> tail(progress.progress.end() - 2 * levelCount - 1,
                                        progress.progress.end());
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

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "model/contours.h"
#include "model/globali.h"
#include "rt/conv.h"
#include "rt/scene3d.h"
#include "terrainsetup.h"
#include "views/fincontrol.h"

namespace {

using terraintest::ProgressLog;
using terraintest::SetBounds;
using terraintest::SetGrid;
using terraintest::SetRibbonSetting;

void ExpectTriangle(const rt::Trimesh& mesh, std::int32_t index, std::int32_t a, std::int32_t b,
                    std::int32_t c) {
    const rt::Triangle t = mesh.Triangles().Item(index);
    EXPECT_EQ(t.A, a) << "triangle " << index;
    EXPECT_EQ(t.B, b) << "triangle " << index;
    EXPECT_EQ(t.C, c) << "triangle " << index;
}

bool AllFinite(const rt::Trimesh& mesh) {
    for (std::int32_t n = 0; n < mesh.VertexCount(); ++n) {
        const rt::Vector3D v = mesh.VertexPositions().Item(n);
        if (!std::isfinite(v.X) || !std::isfinite(v.Y) || !std::isfinite(v.Z))
            return false;
    }
    return true;
}

class SurfaceMesh : public ::testing::Test {
protected:
    void SetUp() override { SetRibbonSetting(0); }
};

TEST_F(SurfaceMesh, TwoByTwoGridHasNineVerticesEightTrianglesAndReportsEachRow) {
    SetBounds(0, 20, 0, 20, 0, 10);
    SetGrid(2, 2, [](int i, int j) { return 1.0 + i + 2 * j; });
    ProgressLog log;
    globali::creatrimesh();

    ASSERT_TRUE(globali::terreno);
    EXPECT_EQ(globali::terreno->VertexCount(), 9);
    EXPECT_EQ(globali::terreno->TriangleCount(), 8);
    EXPECT_EQ(log.values, (std::vector<std::int32_t>{0, 10, 20, 20, 30, 40, 40, 50, 60, 60, 70, 0}));
    const auto& bar = rt::Instance<fincontrol>().ProgressBar1;
    EXPECT_EQ(bar.Maximum(), 100);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_TRUE(globali::terreno->RenderBackFaces);
    EXPECT_TRUE(globali::terreno->HasVertexColors);
}

TEST_F(SurfaceMesh, ProgressRoundsRowsThatAreNotWholeParts) {
    SetBounds(0, 30, 0, 30, 0, 10);
    SetGrid(3, 3, [](int i, int j) { return i + j; });
    ProgressLog log;
    globali::creatrimesh();
    EXPECT_EQ(log.values,
              (std::vector<std::int32_t>{0, 7, 13, 20, 20, 27, 33, 40, 40, 47, 53, 60, 60, 67, 73, 0}));
}

TEST_F(SurfaceMesh, NumbersVerticesAlongXRowByRowAndSplitsCellsOnTheRisingDiagonal) {
    SetBounds(0, 30, 0, 20, 0, 10);
    SetGrid(3, 2, [](int i, int j) { return i + 3.0 * j; });
    globali::creatrimesh();
    const rt::Trimesh& mesh = *globali::terreno;
    ASSERT_EQ(mesh.VertexCount(), 12);
    ASSERT_EQ(mesh.TriangleCount(), 12);
    // Cell (1, 0).
    ExpectTriangle(mesh, 2, 1, 5, 6);
    ExpectTriangle(mesh, 3, 6, 2, 1);
    // Cell (2, 1), the last one.
    ExpectTriangle(mesh, 10, 6, 10, 11);
    ExpectTriangle(mesh, 11, 11, 7, 6);
    // Vertex 6 is node (2, 1): X 20 and Y 10 in survey units, s = 1000 / 30.
    const rt::Vector3D v = mesh.VertexPositions().Item(6);
    const double s = 1000.0 / 30.0;
    EXPECT_DOUBLE_EQ(v.X, (20.0 - 15.0) * s);
    EXPECT_DOUBLE_EQ(v.Z, (10.0 - 10.0) * s);
    EXPECT_DOUBLE_EQ(v.Y, (5.0 - 5.0) * s);
}

TEST_F(SurfaceMesh, LargestSpanBecomesAThousandUnitsCentredOnTheOrigin) {
    SetBounds(100, 300, 50, 150, 10, 20);
    SetGrid(4, 2, [](int i, int j) { return 10.0 + 2.0 * i + j; });
    globali::creatrimesh();
    const rt::Trimesh& mesh = *globali::terreno;
    const rt::Vector3D first = mesh.VertexPositions().Item(0);
    EXPECT_DOUBLE_EQ(first.X, -500.0);
    EXPECT_DOUBLE_EQ(first.Y, (10.0 - 10.0 - 5.0) * 5.0);
    EXPECT_DOUBLE_EQ(first.Z, -250.0);
    const rt::Vector3D last = mesh.VertexPositions().Item(mesh.VertexCount() - 1);
    EXPECT_DOUBLE_EQ(last.X, 500.0);
    EXPECT_DOUBLE_EQ(last.Z, 250.0);
    for (std::int32_t n = 0; n < mesh.VertexCount(); ++n) {
        EXPECT_GE(mesh.VertexPositions().Item(n).Y, -25.0);
        EXPECT_LE(mesh.VertexPositions().Item(n).Y, 25.0);
    }
}

TEST_F(SurfaceMesh, SteepSurveyIsScaledByItsHeight) {
    SetBounds(0, 10, 0, 10, 0, 50);
    SetGrid(2, 2, [](int i, int j) { return (i == 2 && j == 2) ? 50.0 : 0.0; });
    globali::creatrimesh();
    const rt::Trimesh& mesh = *globali::terreno;
    EXPECT_DOUBLE_EQ(mesh.VertexPositions().Item(0).Y, -500.0);
    EXPECT_DOUBLE_EQ(mesh.VertexPositions().Item(8).Y, 500.0);
    EXPECT_DOUBLE_EQ(mesh.VertexPositions().Item(0).X, -100.0);
    EXPECT_DOUBLE_EQ(mesh.VertexPositions().Item(8).Z, 100.0);
}

TEST_F(SurfaceMesh, FlatSurveyLiesAtHeightZeroScaledByItsPlan) {
    SetBounds(0, 100, 0, 50, 0, 0);
    SetGrid(2, 2, [](int, int) { return 0.0; });
    globali::creatrimesh();
    const rt::Trimesh& mesh = *globali::terreno;
    for (std::int32_t n = 0; n < mesh.VertexCount(); ++n) {
        EXPECT_EQ(mesh.VertexPositions().Item(n).Y, 0.0);
        EXPECT_EQ(mesh.VertexColors().Item(n), rt::HSV(0.33, 0.66, 0.33));
    }
    EXPECT_DOUBLE_EQ(mesh.VertexPositions().Item(0).X, -500.0);
    EXPECT_DOUBLE_EQ(mesh.VertexPositions().Item(8).Z, 250.0);
}

TEST_F(SurfaceMesh, VerticesAreColouredByTheirSurveyHeight) {
    SetBounds(0, 20, 0, 20, -4, 12);
    SetGrid(2, 2, [](int i, int j) { return -4.0 + 4.0 * i + 4.0 * j; });
    globali::creatrimesh();
    const rt::Trimesh& mesh = *globali::terreno;
    EXPECT_EQ(mesh.VertexColors().Item(0), rt::HSV(0.33, 0.66, 0.33));   // node (0, 0) at zmin
    EXPECT_EQ(mesh.VertexColors().Item(8), rt::HSV(0.0, 0.66, 0.33));    // node (2, 2) at zmax
    EXPECT_EQ(mesh.VertexColors().Item(4), rt::HSV(0.165, 0.66, 0.33));  // node (1, 1) halfway
    EXPECT_EQ(mesh.VertexColors().Item(5), contours::HeightColour(8.0)); // node (2, 1)
}

TEST_F(SurfaceMesh, EachRunReplacesBothMeshesWithNewOnesOfTheSameContent) {
    SetBounds(0, 20, 0, 20, 0, 10);
    SetGrid(2, 2, [](int i, int j) { return 1.0 + 3 * i + j; });
    globali::creatrimesh();
    const std::shared_ptr<rt::Trimesh> firstSurface = globali::terreno;
    const std::shared_ptr<rt::Trimesh> firstRibbons = globali::tercurva;
    globali::creatrimesh();
    ASSERT_NE(globali::terreno, firstSurface);
    ASSERT_NE(globali::tercurva, firstRibbons);
    ASSERT_EQ(globali::terreno->VertexCount(), firstSurface->VertexCount());
    for (std::int32_t n = 0; n < firstSurface->VertexCount(); ++n) {
        const rt::Vector3D a = firstSurface->VertexPositions().Item(n);
        const rt::Vector3D b = globali::terreno->VertexPositions().Item(n);
        EXPECT_EQ(a.X, b.X);
        EXPECT_EQ(a.Y, b.Y);
        EXPECT_EQ(a.Z, b.Z);
        EXPECT_EQ(firstSurface->VertexColors().Item(n), globali::terreno->VertexColors().Item(n));
    }
}

TEST_F(SurfaceMesh, WithoutRibbonsTheRibbonMeshIsNewAndEmpty) {
    SetBounds(0, 20, 0, 20, 0, 10);
    SetGrid(2, 2, [](int i, int j) { return 1.0 + 3 * i + j; });
    globali::creatrimesh();
    ASSERT_TRUE(globali::tercurva);
    EXPECT_EQ(globali::tercurva->VertexCount(), 0);
    EXPECT_EQ(globali::tercurva->TriangleCount(), 0);
    EXPECT_FALSE(globali::tercurva->HasVertexColors);
    EXPECT_FALSE(globali::tercurva->RenderBackFaces);
}

TEST_F(SurfaceMesh, ExtremeOrMissingValuesNeverReachTheMesh) {
    const double big = std::numeric_limits<double>::max();
    SetBounds(-big, big, -big, big, -big, big);
    SetGrid(2, 2, [big](int i, int j) { return (i + j) % 2 == 0 ? -big : big; });
    globali::mz(1, 1) = std::nan("");
    globali::creatrimesh();
    ASSERT_EQ(globali::terreno->VertexCount(), 9);
    EXPECT_TRUE(AllFinite(*globali::terreno));
    EXPECT_NEAR(globali::terreno->VertexPositions().Item(0).X, -500.0, 1e-9);
    EXPECT_NEAR(globali::terreno->VertexPositions().Item(8).Z, 500.0, 1e-9);

    // No span at all: everything sits at the origin.
    SetBounds(3, 3, 4, 4, 5, 5);
    SetGrid(2, 2, [](int, int) { return 5.0; });
    globali::creatrimesh();
    EXPECT_TRUE(AllFinite(*globali::terreno));
    EXPECT_EQ(globali::terreno->VertexPositions().Item(8).X, 0.0);
}

TEST_F(SurfaceMesh, AGridArraySmallerThanItsCountsGivesEmptyMeshes) {
    SetBounds(0, 20, 0, 20, 0, 10);
    SetGrid(2, 2, [](int, int) { return 1.0; });
    globali::mxtot = 5;
    globali::creatrimesh();
    ASSERT_TRUE(globali::terreno);
    EXPECT_EQ(globali::terreno->VertexCount(), 0);
    EXPECT_EQ(globali::tercurva->VertexCount(), 0);
    EXPECT_EQ(rt::Instance<fincontrol>().ProgressBar1.Value(), 0);
}

} // namespace

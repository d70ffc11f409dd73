// The shared survey data: its shapes when the program starts and the reset before new data.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/picture.h"
#include "rt/scene3d.h"

namespace {

// Copies taken during static initialisation, after the shared variables are initialised and
// before any test changes them.
const std::vector<double> kLaunchPoints[3] = {globali::px, globali::py, globali::pz};
const std::int32_t kLaunchPtot = globali::ptot;
const std::int32_t kLaunchCounter = modulodxf::dxfcounter;
const std::vector<std::int32_t> kLaunchUpperBounds = {globali::mx.UBound0(),      globali::mx.UBound1(),
                                                      globali::my.UBound0(),      globali::my.UBound1(),
                                                      globali::mz.UBound0(),      globali::mz.UBound1(),
                                                      modulodxf::dxfpn.UBound0(), modulodxf::dxfpn.UBound1(),
                                                      modulodxf::qqlin.UBound0(), modulodxf::qqlin.UBound1()};
const std::vector<std::int32_t> kLaunchSmallArrays[4] = {modulodxf::dxfxyz, modulodxf::selpre,
                                                         modulodxf::qqpun, Inizio::rifxy12};
const std::vector<double> kLaunchBounds = {globali::xmin, globali::ymin, globali::zmin, globali::xmax,
                                           globali::ymax, globali::zmax, globali::dx,   globali::dy,
                                           globali::dz,   globali::rapp};
const bool kLaunchMeshesNull = globali::terreno == nullptr && globali::tercurva == nullptr;

TEST(SurveyDataAtLaunch, HoldsOnePointAtTheOriginAndNoPolylines) {
    EXPECT_EQ(kLaunchPtot, 0);
    for (const auto& coordinates : kLaunchPoints)
        EXPECT_EQ(coordinates, std::vector<double>{0.0});
    EXPECT_EQ(kLaunchCounter, 0);
}

TEST(SurveyDataAtLaunch, ArraysHaveTheirLaunchShapesAndEverythingElseIsZero) {
    // Grid (0, 0) three times, the polyline table one row of one column, qqlin one row of two.
    EXPECT_EQ(kLaunchUpperBounds, (std::vector<std::int32_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(kLaunchSmallArrays[0], std::vector<std::int32_t>{0});
    EXPECT_EQ(kLaunchSmallArrays[1], (std::vector<std::int32_t>{0, 0}));
    EXPECT_EQ(kLaunchSmallArrays[2], std::vector<std::int32_t>{0});
    EXPECT_EQ(kLaunchSmallArrays[3], (std::vector<std::int32_t>{0, 0, 0, 0}));
    EXPECT_EQ(kLaunchBounds, std::vector<double>(10, 0.0));
    EXPECT_TRUE(kLaunchMeshesNull);
}

// Loaded data with a grid, bounds, meshes, a traced picture and editor state around it.
void LoadTracedSurvey() {
    using namespace globali;
    using namespace modulodxf;
    px = {1, 2, 3, 4, 5};
    py = {6, 7, 8, 9, 10};
    pz = {11, 12, 13, 14, 15};
    ptot = 4;
    dxfpn.Redim(2, 1);
    dxfpn(1, 0) = 0;
    dxfpn(1, 1) = 2;
    dxfpn(2, 0) = 3;
    dxfpn(2, 1) = 1;
    dxfcounter = 2;
    dxfxyz = {1, 1, 1, 2, 2};
    mxtot = 2;
    mytot = 3;
    mz.Redim(2, 3);
    mz(2, 3) = 42;
    xmin = 1;
    xmax = 5;
    dx = 4;
    rapp = 2;
    celamesh = true;
    terreno = std::make_shared<rt::Trimesh>();
    tercurva = std::make_shared<rt::Trimesh>();
    qpun = 2;
    qqpun = {0, 1, 2};
    qlin = 1;
    qqlin.Redim(1, 1);
    qqlin(1, 0) = 1;
    qqlin(1, 1) = 1;
    selpre = {3, 2};
    selnow = 1;
    zmfct = 1.5;
    Inizio::rifxy12 = {1, 2, 3, 4};
    Inizio::immaginesfondo = rt::Picture::New(8, 8);
}

TEST(SurveyDataReset, EmptiesPointsPolylinesPictureAndSelection) {
    LoadTracedSurvey();
    ASSERT_TRUE(Inizio::immaginesfondo);

    Inizio::azzeradati();

    EXPECT_EQ(globali::ptot, -1);
    EXPECT_EQ(globali::px.size(), 1u);
    EXPECT_EQ(globali::py.size(), 1u);
    EXPECT_EQ(globali::pz.size(), 1u);
    EXPECT_EQ(modulodxf::dxfcounter, 0);
    EXPECT_EQ(modulodxf::dxfpn.UBound0(), 0);
    EXPECT_EQ(modulodxf::dxfpn.UBound1(), 1);
    EXPECT_EQ(modulodxf::dxfpn(0, 0), 0);
    EXPECT_EQ(modulodxf::dxfpn(0, 1), 0);
    EXPECT_EQ(modulodxf::dxfxyz, std::vector<std::int32_t>{0});
    EXPECT_FALSE(Inizio::immaginesfondo);
    EXPECT_EQ(modulodxf::selpre, (std::vector<std::int32_t>{-1, 2}));
}

TEST(SurveyDataReset, KeepsGridBoundsMeshesAndEditorState) {
    LoadTracedSurvey();
    const auto surface = globali::terreno;
    const auto ribbons = globali::tercurva;

    Inizio::azzeradati();

    EXPECT_EQ(globali::mxtot, 2);
    EXPECT_EQ(globali::mytot, 3);
    ASSERT_EQ(globali::mz.UBound0(), 2);
    ASSERT_EQ(globali::mz.UBound1(), 3);
    EXPECT_EQ(globali::mz(2, 3), 42);
    EXPECT_EQ(globali::xmin, 1);
    EXPECT_EQ(globali::xmax, 5);
    EXPECT_EQ(globali::dx, 4);
    EXPECT_EQ(globali::rapp, 2);
    EXPECT_TRUE(globali::celamesh);
    EXPECT_EQ(globali::terreno, surface);
    EXPECT_EQ(globali::tercurva, ribbons);
    EXPECT_EQ(modulodxf::qpun, 2);
    EXPECT_EQ(modulodxf::qqpun, (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(modulodxf::qlin, 1);
    EXPECT_EQ(modulodxf::qqlin(1, 0), 1);
    EXPECT_EQ(modulodxf::selnow, 1);
    EXPECT_EQ(modulodxf::zmfct, 1.5);
    EXPECT_EQ(Inizio::rifxy12, (std::vector<std::int32_t>{1, 2, 3, 4}));
}

TEST(SurveyDataReset, RestoresShapesAfterArraysWereLeftEmpty) {
    globali::px.clear();
    globali::py.clear();
    globali::pz.clear();
    modulodxf::dxfxyz.clear();
    modulodxf::selpre.clear();
    modulodxf::dxfpn.Redim(-1, -1);

    Inizio::azzeradati();

    EXPECT_EQ(globali::px.size(), 1u);
    EXPECT_EQ(globali::pz.size(), 1u);
    EXPECT_EQ(modulodxf::dxfxyz, std::vector<std::int32_t>{0});
    EXPECT_EQ(modulodxf::dxfpn.UBound0(), 0);
    EXPECT_EQ(modulodxf::dxfpn.UBound1(), 1);
    ASSERT_EQ(modulodxf::selpre.size(), 2u);
    EXPECT_EQ(modulodxf::selpre[0], -1);
}

TEST(SharedArray, RedimensioningKeepsSurvivingValuesAndZeroesNewOnes) {
    Array2D<std::int32_t> table(0, 0);
    table(0, 0) = 7;
    table.Redim(2, 1);
    EXPECT_EQ(table(0, 0), 7);
    EXPECT_EQ(table(0, 1), 0);
    EXPECT_EQ(table(2, 1), 0);
    table(2, 1) = 9;
    table.Redim(1, 1);
    EXPECT_EQ(table.UBound0(), 1);
    EXPECT_EQ(table(0, 0), 7);
    table.Redim(2, 1);
    EXPECT_EQ(table(2, 1), 0);
    table.Redim(-1, 3);
    EXPECT_EQ(table.UBound0(), -1);
    EXPECT_FALSE(table.InRange(0, 0));
}

} // namespace

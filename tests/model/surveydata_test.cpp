// The shared survey data: its shapes when the program starts, the reset before new data, the
// bounding box of the point set with what the control panel shows of it, and the deletion of a
// polyline row with its points.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/picture.h"
#include "rt/scene3d.h"
#include "tests/model/terrainsetup.h"

namespace {

using std::vector;
using terraintest::SetPoints;

// The shapes of the arrays: point coordinates, the upper bounds of the grid, the polyline table
// and qqlin, and the small index arrays.
vector<vector<double>> Shapes() {
    using namespace globali;
    using namespace modulodxf;
    const auto ints = [](const vector<std::int32_t>& v) { return vector<double>(v.begin(), v.end()); };
    return {px,
            py,
            pz,
            ints({mx.UBound0(), mx.UBound1(), my.UBound0(), my.UBound1(), mz.UBound0(), mz.UBound1()}),
            ints({dxfpn.UBound0(), dxfpn.UBound1(), qqlin.UBound0(), qqlin.UBound1()}),
            ints(dxfxyz),
            ints(selpre),
            ints(qqpun),
            ints(Inizio::rifxy12)};
}

// Taken during static initialisation, before any test changes the shared variables.
const vector<vector<double>> kLaunchShapes = Shapes();
const vector<std::int32_t> kLaunchCounts{globali::ptot, modulodxf::dxfcounter};
const bool kLaunchMeshesNull = !globali::terreno && !globali::tercurva;

TEST(SurveyData, LaunchesWithOnePointAtTheOriginAndArraysInTheirShapes) {
    EXPECT_EQ(kLaunchShapes,
              (vector<vector<double>>{
                  {0}, {0}, {0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 1}, {0}, {0, 0}, {0}, {0, 0, 0, 0}}));
    EXPECT_EQ(kLaunchCounts, (vector<std::int32_t>{0, 0}));
    EXPECT_TRUE(kLaunchMeshesNull);
}

TEST(SurveyData, ResetEmptiesPointsPolylinesPictureAndSelectionButKeepsGridMeshesAndEditor) {
    using namespace globali;
    using namespace modulodxf;
    SetPoints({{1, 6, 11}, {2, 7, 12}, {3, 8, 13}, {4, 9, 14}, {5, 10, 15}});
    dxfpn.Redim(2, 1);
    dxfpn(1, 1) = 2;
    dxfpn(2, 0) = 3;
    dxfcounter = 2;
    dxfxyz = {1, 1, 1, 2, 2};
    terraintest::SetBounds(1, 5, 6, 10, 11, 15);
    terraintest::SetGrid(2, 3, [](int i, int j) { return i * 10.0 + j; });
    terreno = std::make_shared<rt::Trimesh>();
    tercurva = std::make_shared<rt::Trimesh>();
    const auto meshes = vector<std::shared_ptr<rt::Trimesh>>{terreno, tercurva};
    qpun = 2;
    qqpun = {0, 1, 2};
    qqlin.Redim(1, 1);
    selpre = {3, 2};
    selnow = 1;
    Inizio::rifxy12 = {1, 2, 3, 4};
    Inizio::immaginesfondo = rt::Picture::New(8, 8);

    Inizio::azzeradati();

    EXPECT_EQ(vector<std::int32_t>({ptot, dxfcounter, selpre[0], selpre[1]}),
              vector<std::int32_t>({-1, 0, -1, 2}));
    EXPECT_EQ(Shapes(),
              (vector<vector<double>>{
                  {1}, {6}, {11}, {2, 3, 2, 3, 2, 3}, {0, 1, 1, 1}, {0}, {-1, 2}, {0, 1, 2}, {1, 2, 3, 4}}));
    EXPECT_EQ(vector<std::int32_t>({dxfpn(0, 0), dxfpn(0, 1)}), vector<std::int32_t>({0, 0}));
    EXPECT_FALSE(Inizio::immaginesfondo);
    EXPECT_EQ(vector<double>({xmin, xmax, dx, mz(2, 3)}), vector<double>({1, 5, 4, 23}));
    EXPECT_EQ(vector<std::int32_t>({mxtot, mytot, qpun, selnow}), vector<std::int32_t>({2, 3, 2, 1}));
    EXPECT_EQ((vector<std::shared_ptr<rt::Trimesh>>{terreno, tercurva}), meshes);

    // Arrays left empty get their shapes back.
    SetPoints({});
    dxfxyz.clear();
    selpre.clear();
    dxfpn.Redim(-1, -1);
    Inizio::azzeradati();
    EXPECT_EQ(Shapes(),
              (vector<vector<double>>{
                  {0}, {0}, {0}, {2, 3, 2, 3, 2, 3}, {0, 1, 1, 1}, {0}, {-1, 0}, {0, 1, 2}, {1, 2, 3, 4}}));
}

vector<double> BoxAndSpans() {
    using namespace globali;
    return {xmin, xmax, ymin, ymax, zmin, zmax, dx, dy, dz};
}

TEST(SurveyBounds, BoxOfThePointsUpToPtotIsShownWithIntervalsFromTheNewRatio) {
    SetPoints({{10, -3, 7}, {5, 4, -2.5}, {20, 1, 0}, {500, 500, 500}});
    globali::ptot = 2; // the last point is left from earlier data
    globali::rapp = 5;
    terraintest::ProgressLog log;

    Inizio::calcolaingombro();

    EXPECT_EQ(BoxAndSpans(), (vector<double>{5, 20, -3, 4, -2.5, 7, 15, 7, 9.5}));
    EXPECT_EQ(globali::rapp, 7.0 / 15.0);
    auto& panel = rt::Instance<fincontrol>();
    EXPECT_EQ(panel.IngStaticText.Text(), "15,  7,  9.5");
    EXPECT_EQ(panel.XEditField.Text(), "30");
    EXPECT_EQ(panel.YEditField.Text(), "14");
    EXPECT_EQ(log.values, (vector<std::int32_t>{50, 100, 0}));
    EXPECT_EQ(terraintest::Bar().Maximum(), 100);
}

TEST(SurveyBounds, WithoutAFiniteRatioTheProposedGridIsSquare) {
    const double huge = 1.7e308;
    const vector<vector<terraintest::Point>> surveys = {
        {{3, 0, 1}, {3, 10, 1}, {3, 5, 1}}, // no width
        {{3, 4, 1}, {3, 4, 1}},             // one place twice
        {{-huge, -huge, 0}, {huge, huge, 1}, {0, 0, 2}},
    };
    for (const auto& points : surveys) {
        SetPoints(points);

        Inizio::calcolaingombro();

        EXPECT_EQ(globali::rapp, 1);
        EXPECT_EQ(rt::Instance<fincontrol>().YEditField.Text(), "30");
    }
    EXPECT_EQ(vector<double>({globali::xmin, globali::ymax}), vector<double>({-huge, huge}));

    SetPoints({});
    globali::ptot = 5; // more points claimed than stored
    Inizio::calcolaingombro();
    EXPECT_EQ(BoxAndSpans(), vector<double>(9, 0.0));
    EXPECT_EQ(rt::Instance<fincontrol>().IngStaticText.Text(), "0,  0,  0");
}

using Table = vector<vector<std::int32_t>>;

// Rows with the given counts (count - 1 per row, -1 for a row without vertices), stored back to
// back. Point k is (k, 100 + k, 1000 + k); every point records its row. No editor controls.
void LoadRows(const vector<std::int32_t>& counts) {
    using namespace modulodxf;
    vector<terraintest::Point> points;
    dxfxyz.clear();
    dxfpn.Redim(static_cast<std::int32_t>(counts.size()), 1);
    dxfcounter = 0;
    for (const std::int32_t count : counts) {
        ++dxfcounter;
        dxfpn(dxfcounter, 0) = static_cast<std::int32_t>(points.size());
        dxfpn(dxfcounter, 1) = count;
        for (std::int32_t v = 0; v <= count; ++v) {
            const double k = static_cast<double>(points.size());
            points.push_back({k, 100 + k, 1000 + k});
            dxfxyz.push_back(dxfcounter);
        }
    }
    SetPoints(points);
    qpun = 0;
    qqpun = {0};
    qlin = 0;
    qqlin.Redim(0, 1);
}

vector<double> Xs() {
    return {globali::px.begin(), globali::px.begin() + globali::ptot + 1};
}
vector<std::int32_t> Rows() {
    return {modulodxf::dxfxyz.begin(), modulodxf::dxfxyz.begin() + globali::ptot + 1};
}
Table Polylines() {
    Table rows;
    for (std::int32_t r = 1; r <= modulodxf::dxfcounter; ++r)
        rows.push_back({modulodxf::dxfpn(r, 0), modulodxf::dxfpn(r, 1)});
    return rows;
}

TEST(PolylineDeletion, RemovesTheRowsPointsAndLaterRowsCloseUp) {
    const struct {
        const char* what;
        vector<std::int32_t> counts;
        std::int32_t row;
        vector<double> xs;
        vector<std::int32_t> rows;
        Table table;
    } cases[] = {
        {"middle row", {1, 2, 0, 1}, 2, {0, 1, 5, 6, 7}, {1, 1, 2, 3, 3}, {{0, 1}, {2, 0}, {3, 1}}},
        {"last row", {2, 3}, 2, {0, 1, 2}, {1, 1, 1}, {{0, 2}}},
        {"lone point", {1, 0, 1}, 2, {0, 1, 3, 4}, {1, 1, 2, 2}, {{0, 1}, {2, 1}}},
        {"row without vertices", {1, -1, 2}, 2, {0, 1, 2, 3, 4}, {1, 1, 2, 2, 2}, {{0, 1}, {2, 2}}},
        {"row 0", {1, 1}, 0, {0, 1, 2, 3}, {1, 1, 2, 2}, {{0, 1}, {2, 1}}},
        {"row -3", {1, 1}, -3, {0, 1, 2, 3}, {1, 1, 2, 2}, {{0, 1}, {2, 1}}},
        {"row past the last", {1, 1}, 3, {0, 1, 2, 3}, {1, 1, 2, 2}, {{0, 1}, {2, 1}}},
    };
    for (const auto& c : cases) {
        LoadRows(c.counts);

        Inizio::cancellacestino(c.row);

        EXPECT_EQ(Xs(), c.xs) << c.what;
        for (std::int32_t k = 0; k <= globali::ptot; ++k)
            EXPECT_TRUE(globali::py[k] == 100 + globali::px[k] && globali::pz[k] == 1000 + globali::px[k])
                << c.what;
        EXPECT_EQ(Rows(), c.rows) << c.what;
        EXPECT_EQ(modulodxf::dxfcounter, static_cast<std::int32_t>(c.table.size())) << c.what;
        EXPECT_EQ(Polylines(), c.table) << c.what;
    }
}

// Segment controls j = 1.. with their rows and first segment controls; qlin is `count`.
void SetSegmentControls(std::int32_t count, const Table& controls) {
    modulodxf::qlin = count;
    modulodxf::qqlin.Redim(static_cast<std::int32_t>(controls.size()), 1);
    for (std::size_t j = 1; j <= controls.size(); ++j) {
        modulodxf::qqlin(static_cast<std::int32_t>(j), 0) = controls[j - 1][0];
        modulodxf::qqlin(static_cast<std::int32_t>(j), 1) = controls[j - 1][1];
    }
}

Table SegmentControls() {
    Table controls;
    for (std::int32_t j = 1; j <= modulodxf::qqlin.UBound0(); ++j)
        controls.push_back({modulodxf::qqlin(j, 0), modulodxf::qqlin(j, 1)});
    return controls;
}

TEST(PolylineDeletion, ControlMapsFollowLaterRowsOnlyAndAreReadOnlyUpToTheirArrays) {
    LoadRows({0, 1, 0, 2});
    modulodxf::qpun = 4;
    modulodxf::qqpun = {0, 1, 2, 3, 4, 4}; // the entry past qpun is not a control
    SetSegmentControls(3, {{2, 1}, {4, 2}, {4, 2}, {4, 2}});

    Inizio::cancellacestino(2);

    EXPECT_EQ(modulodxf::qqpun, (vector<std::int32_t>{0, 1, 2, 2, 3, 4}));
    EXPECT_EQ(SegmentControls(), (Table{{2, 1}, {3, 2}, {3, 2}, {4, 2}}));

    // Counts larger than their arrays are read only up to the arrays.
    LoadRows({0, 0, 0});
    modulodxf::qpun = 50;
    modulodxf::qqpun = {0, 3};
    SetSegmentControls(50, {{3, 1}});
    modulodxf::dxfxyz.resize(1); // shorter than the point set
    Inizio::cancellacestino(1);
    EXPECT_EQ(Xs(), (vector<double>{1, 2}));
    EXPECT_EQ(modulodxf::qqpun[1], 2);
    EXPECT_EQ(SegmentControls(), (Table{{2, 1}}));
}

} // namespace

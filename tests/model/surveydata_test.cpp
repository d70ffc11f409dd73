// The shared survey data: the reset before new data, the bounding box of the point set with what
// the control panel shows of it, the deletion of a polyline row with its points, and the checked
// indices of the two-dimensional arrays.

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

#include "model/array2d.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "tests/model/terrainsetup.h"

namespace {

using std::vector;
using terraintest::SetPoints;
using Table = vector<vector<std::int32_t>>;

class SurveyData : public terraintest::TerrainTest {};

TEST_F(SurveyData, ResetEmptiesPointsPolylinesPictureAndSelectionButKeepsTheGridAndEditorMaps) {
    using namespace modulodxf;
    SetPoints({{1, 6, 11}, {2, 7, 12}, {3, 8, 13}});
    dxfpn.Redim(2, 1);
    dxfpn(2, 0) = 3;
    dxfcounter = 2;
    dxfxyz = {1, 1, 2};
    globali::mz.Redim(2, 3);
    qqpun = {0, 1, 2};
    selpre = {3, 2};
    Inizio::immaginesfondo = rt::Picture::New(8, 8);
    Inizio::azzeradati();
    EXPECT_EQ(vector<std::int32_t>({globali::ptot, dxfcounter, selpre[0], selpre[1], dxfpn.UBound0(),
                                    dxfpn(0, 0), dxfpn(0, 1), globali::mz.UBound1()}),
              vector<std::int32_t>({-1, 0, -1, 2, 0, 0, 0, 3}));
    EXPECT_EQ(vector<vector<double>>({globali::px, globali::py, globali::pz}),
              vector<vector<double>>({{1}, {6}, {11}}));
    EXPECT_EQ(dxfxyz, vector<std::int32_t>{0});
    EXPECT_EQ(qqpun.size(), 3u);
    EXPECT_FALSE(Inizio::immaginesfondo);
}

TEST_F(SurveyData, BoundsOfThePointsUpToPtotAreShownBeforeTheIntervalsFromTheNewRatio) {
    SetPoints({{10, -3, 7}, {5, 4, -2.5}, {20, 1, 0}, {500, 500, 500}});
    globali::ptot = 2; // the last point is left from earlier data
    Inizio::calcolaingombro();
    using namespace globali;
    EXPECT_EQ(vector<double>({xmin, xmax, ymin, ymax, zmin, zmax, dx, dy, dz, rapp}),
              (vector<double>{5, 20, -3, 4, -2.5, 7, 15, 7, 9.5, 7.0 / 15.0}));
    EXPECT_EQ(panel.texts, (vector<std::string>{"span: 15,  7,  9.5", "x: 30", "y: 14"}));
}

TEST_F(SurveyData, WithoutAFiniteRatioTheProposedGridIsSquare) {
    const double huge = 1.7e308;
    for (const auto& points :
         vector<vector<terraintest::Point>>{{{3, 4, 1}, {3, 4, 1}}, {{-huge, -huge, 0}, {huge, huge, 1}}}) {
        SetPoints(points);
        panel.texts.clear();
        Inizio::calcolaingombro();
        EXPECT_EQ(globali::rapp, 1);
        EXPECT_EQ(panel.texts.back(), "y: 30");
    }
    SetPoints({});
    globali::ptot = 5; // more points claimed than stored
    Inizio::calcolaingombro();
    EXPECT_EQ(vector<double>({globali::xmin, globali::xmax, globali::dz}), vector<double>(3, 0.0));
}

// Rows with the given counts (count - 1 per row, -1 for a row without vertices), stored back to
// back; point k is (k, 100 + k, 1000 + k).
void LoadRows(const vector<std::int32_t>& counts) {
    using namespace modulodxf;
    vector<terraintest::Point> points;
    dxfpn.Redim(static_cast<std::int32_t>(counts.size()), 1);
    dxfcounter = 0;
    for (const std::int32_t count : counts) {
        ++dxfcounter;
        dxfpn(dxfcounter, 0) = static_cast<std::int32_t>(points.size());
        dxfpn(dxfcounter, 1) = count;
        for (std::int32_t v = 0; v <= count; ++v) {
            const double k = static_cast<double>(points.size());
            points.push_back({k, 100 + k, 1000 + k});
        }
    }
    SetPoints(points);
    dxfxyz.assign(points.size(), 0);
    qpun = qlin = 0;
}

TEST_F(SurveyData, DeletingARowRemovesItsPointsAndLaterRowsCloseUp) {
    const struct {
        vector<std::int32_t> counts;
        std::int32_t row;
        vector<double> xs;
        Table table;
    } cases[] = {
        {{1, 2, 0, 1}, 2, {0, 1, 5, 6, 7}, {{0, 1}, {2, 0}, {3, 1}}},
        {{1, -1, 2}, 2, {0, 1, 2, 3, 4}, {{0, 1}, {2, 2}}},
        {{1, 1}, -3, {0, 1, 2, 3}, {{0, 1}, {2, 1}}}, // no such row
    };
    for (const auto& c : cases) {
        LoadRows(c.counts);
        Inizio::cancellacestino(c.row);
        EXPECT_EQ(vector<double>(globali::px.begin(), globali::px.begin() + globali::ptot + 1), c.xs)
            << c.row;
        for (std::int32_t k = 0; k <= globali::ptot; ++k)
            EXPECT_EQ(globali::pz[k], 1000 + globali::px[k]) << c.row;
        Table rows;
        for (std::int32_t r = 1; r <= modulodxf::dxfcounter; ++r)
            rows.push_back({modulodxf::dxfpn(r, 0), modulodxf::dxfpn(r, 1)});
        EXPECT_EQ(rows, c.table) << c.row;
    }
}

#ifdef AMBRELIX_SANITIZE
TEST(Array2DDeathTest, AnIndexPastARowsEndAbortsInsteadOfReadingTheNextRow) {
    Array2D<double> grid(2, 3);
    EXPECT_DEATH(grid(0, 4) = 1.0, "index \\(0, 4\\) outside the bounds \\(2, 3\\)");
    EXPECT_DEATH(grid(-1, 0) = 1.0, "outside the bounds");
}
#endif

} // namespace

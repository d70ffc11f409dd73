#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

#include "model/array2d.h"
#include "model/cancellacestino.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "model/terraindata.h"
#include "tests/model/terrainsetup.h"

namespace {

using std::vector;
using terraintest::SetPoints;
using Table = vector<vector<std::int32_t>>;

class SurveyData : public terraintest::TerrainTest {};
class SurveyValues : public terraintest::TerrainValues {};

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

TEST_F(SurveyValues, BoundsOfThePointsUpToPtotWithSpansAndRatioSquareWhenNotFinite) {
    terrain::Survey survey = terraintest::Points({{10, -3, 7}, {5, 4, -2.5}, {20, 1, 0}, {500, 500, 500}});
    survey.last = 2; // the last point is left from earlier data
    const terrain::Bounds b = terrain::MeasureBounds(survey, progress);
    EXPECT_EQ(vector<double>({b.xmin, b.xmax, b.ymin, b.ymax, b.zmin, b.zmax, b.dx, b.dy, b.dz, b.rapp}),
              (vector<double>{5, 20, -3, 4, -2.5, 7, 15, 7, 9.5, 7.0 / 15.0}));
    EXPECT_EQ(progress.progress, (vector<std::int32_t>{50, 100, 0}));
    // Without a finite ratio the proposed grid is square.
    const double huge = 1.7e308;
    for (const auto& points :
         vector<vector<terraintest::Point>>{{{3, 4, 1}, {3, 4, 1}}, {{-huge, -huge, 0}, {huge, huge, 1}}})
        EXPECT_EQ(terrain::MeasureBounds(terraintest::Points(points), progress).rapp, 1);
    terrain::Survey none = terraintest::Points({});
    none.last = 5; // more points claimed than stored
    const terrain::Bounds empty = terrain::MeasureBounds(none, progress);
    EXPECT_EQ(vector<double>({empty.xmin, empty.xmax, empty.dz}), vector<double>(3, 0.0));
}

// Rows with the given counts (count - 1 per row, -1 for a row without vertices), stored back to
// back; point k is (k, 100 + k, 1000 + k).
terrain::Survey Rows(const vector<std::int32_t>& counts) {
    vector<terraintest::Point> points;
    Array2D<std::int32_t> rows(static_cast<std::int32_t>(counts.size()), 1);
    std::int32_t row = 0;
    for (const std::int32_t count : counts) {
        ++row;
        rows(row, 0) = static_cast<std::int32_t>(points.size());
        rows(row, 1) = count;
        for (std::int32_t v = 0; v <= count; ++v) {
            const double k = static_cast<double>(points.size());
            points.push_back({k, 100 + k, 1000 + k});
        }
    }
    terrain::Survey survey = terraintest::Points(points);
    survey.rows = rows;
    survey.rowCount = row;
    survey.rowOfPoint.assign(points.size(), 0);
    return survey;
}

TEST_F(SurveyData, DeletingARowMovesTheSharedSurveyAndTheEditorsControlsOfLaterRows) {
    globali::survey = Rows({1, 1, 0});
    modulodxf::editormaps = {5, {0, 1, 1, 2, 2, 3}, 3, Array2D<std::int32_t>(3, 1)};
    for (std::int32_t row = 1; row <= 3; ++row)
        modulodxf::qqlin(row, 0) = row;
    Inizio::cancellacestino(2);
    EXPECT_EQ(vector<double>(globali::px.begin(), globali::px.begin() + globali::ptot + 1),
              (vector<double>{0, 1, 4}));
    // The deleted row's own controls keep its number; those of row 3 move to row 2.
    EXPECT_EQ(modulodxf::qqpun, (vector<std::int32_t>{0, 1, 1, 2, 2, 2}));
    EXPECT_EQ(vector<std::int32_t>({modulodxf::qqlin(1, 0), modulodxf::qqlin(2, 0), modulodxf::qqlin(3, 0)}),
              vector<std::int32_t>({1, 2, 2}));
}

TEST_F(SurveyValues, DeletingARowRemovesItsPointsAndLaterRowsCloseUp) {
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
        terrain::Survey survey = Rows(c.counts);
        terrain::EditorMaps maps;
        terrain::DeleteRow(survey, maps, c.row);
        EXPECT_EQ(vector<double>(survey.x.begin(), survey.x.begin() + survey.last + 1), c.xs) << c.row;
        for (std::int32_t k = 0; k <= survey.last; ++k)
            EXPECT_EQ(survey.z[k], 1000 + survey.x[k]) << c.row;
        Table rows;
        for (std::int32_t r = 1; r <= survey.rowCount; ++r)
            rows.push_back({survey.rows(r, 0), survey.rows(r, 1)});
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

// Deleting a polyline row with its points from the survey data.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/runtime.h"

namespace {

// Rows with the given counts (count - 1 per row, -1 for a row without vertices), stored back to
// back. Point k is (k, 100 + k, 1000 + k); every point records its row.
void LoadRows(const std::vector<std::int32_t>& counts) {
    using namespace globali;
    using namespace modulodxf;
    px.clear();
    py.clear();
    pz.clear();
    dxfxyz.clear();
    dxfpn.Redim(static_cast<std::int32_t>(counts.size()), 1);
    std::int32_t next = 0;
    for (std::size_t r = 0; r < counts.size(); ++r) {
        const auto row = static_cast<std::int32_t>(r + 1);
        dxfpn(row, 0) = next;
        dxfpn(row, 1) = counts[r];
        for (std::int32_t v = 0; v <= counts[r]; ++v, ++next) {
            px.push_back(next);
            py.push_back(100 + next);
            pz.push_back(1000 + next);
            dxfxyz.push_back(row);
        }
    }
    ptot = next - 1;
    dxfcounter = static_cast<std::int32_t>(counts.size());
    qpun = 0;
    qqpun.assign(1, 0);
    qlin = 0;
    qqlin.Redim(0, 1);
}

std::vector<double> Xs() {
    return {globali::px.begin(), globali::px.begin() + globali::ptot + 1};
}
std::vector<std::int32_t> Rows() {
    return {modulodxf::dxfxyz.begin(), modulodxf::dxfxyz.begin() + globali::ptot + 1};
}
std::vector<std::vector<std::int32_t>> Table() {
    std::vector<std::vector<std::int32_t>> rows;
    for (std::int32_t r = 1; r <= modulodxf::dxfcounter; ++r)
        rows.push_back({modulodxf::dxfpn(r, 0), modulodxf::dxfpn(r, 1)});
    return rows;
}

TEST(PolylineDeletion, MiddleRowRemovesItsPointsAndLaterRowsCloseUp) {
    LoadRows({1, 2, 0, 1}); // points 0-1, 2-4, 5, 6-7
    const std::uint64_t yieldsBefore = rt::YieldCount();

    Inizio::cancellacestino(2);

    EXPECT_EQ(globali::ptot, 4);
    EXPECT_EQ(Xs(), (std::vector<double>{0, 1, 5, 6, 7}));
    EXPECT_EQ(globali::py[2], 105);
    EXPECT_EQ(globali::pz[4], 1007);
    EXPECT_EQ(Rows(), (std::vector<std::int32_t>{1, 1, 2, 3, 3}));
    EXPECT_EQ(modulodxf::dxfcounter, 3);
    EXPECT_EQ(Table(), (std::vector<std::vector<std::int32_t>>{{0, 1}, {2, 0}, {3, 1}}));
    // Three points and two rows moved, one yield each.
    EXPECT_EQ(rt::YieldCount() - yieldsBefore, 5u);
    // Nothing shrinks: the old tail stays behind the last point and the last row.
    EXPECT_EQ(globali::px.size(), 8u);
    EXPECT_EQ(globali::px[7], 7);
    EXPECT_EQ(modulodxf::dxfpn.UBound0(), 4);
    EXPECT_EQ(modulodxf::dxfpn(4, 1), 1);
}

TEST(PolylineDeletion, LastRowMovesNothing) {
    LoadRows({2, 3});

    Inizio::cancellacestino(2);

    EXPECT_EQ(globali::ptot, 2);
    EXPECT_EQ(Xs(), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(modulodxf::dxfcounter, 1);
    EXPECT_EQ(Table(), (std::vector<std::vector<std::int32_t>>{{0, 2}}));
}

TEST(PolylineDeletion, LonePointRemovesExactlyOnePoint) {
    LoadRows({1, 0, 1});

    Inizio::cancellacestino(2);

    EXPECT_EQ(globali::ptot, 3);
    EXPECT_EQ(Xs(), (std::vector<double>{0, 1, 3, 4}));
    EXPECT_EQ(Table(), (std::vector<std::vector<std::int32_t>>{{0, 1}, {2, 1}}));
}

TEST(PolylineDeletion, RowWithoutVerticesKeepsEveryPointAndRenumbersLaterOnes) {
    LoadRows({1, -1, 2}); // the empty row starts where the next row starts

    Inizio::cancellacestino(2);

    EXPECT_EQ(globali::ptot, 4);
    EXPECT_EQ(Xs(), (std::vector<double>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Rows(), (std::vector<std::int32_t>{1, 1, 2, 2, 2}));
    EXPECT_EQ(modulodxf::dxfcounter, 2);
    EXPECT_EQ(Table(), (std::vector<std::vector<std::int32_t>>{{0, 1}, {2, 2}}));
}

TEST(PolylineDeletion, ControlMapsFollowLaterRowsOnly) {
    LoadRows({0, 1, 0, 2});
    modulodxf::qpun = 4;
    modulodxf::qqpun = {0, 1, 2, 3, 4, 4}; // the entry past qpun is not a control
    modulodxf::qlin = 3;
    modulodxf::qqlin.Redim(4, 1);
    const std::int32_t segments[4][2] = {{2, 1}, {4, 2}, {4, 2}, {4, 2}};
    for (std::int32_t j = 1; j <= 4; ++j) {
        modulodxf::qqlin(j, 0) = segments[j - 1][0];
        modulodxf::qqlin(j, 1) = segments[j - 1][1];
    }

    Inizio::cancellacestino(2);

    EXPECT_EQ(modulodxf::qqpun, (std::vector<std::int32_t>{0, 1, 2, 2, 3, 4}));
    EXPECT_EQ(modulodxf::qqlin(1, 0), 2);
    EXPECT_EQ(modulodxf::qqlin(2, 0), 3);
    EXPECT_EQ(modulodxf::qqlin(3, 0), 3);
    EXPECT_EQ(modulodxf::qqlin(4, 0), 4);
    EXPECT_EQ(modulodxf::qqlin(2, 1), 2);
}

TEST(PolylineDeletion, RowThatDoesNotExistChangesNothing) {
    for (const std::int32_t row : {0, -3, 3, 1000}) {
        LoadRows({1, 1});
        modulodxf::qpun = 1;
        modulodxf::qqpun = {0, 2};

        Inizio::cancellacestino(row);

        EXPECT_EQ(globali::ptot, 3) << row;
        EXPECT_EQ(modulodxf::dxfcounter, 2) << row;
        EXPECT_EQ(Table(), (std::vector<std::vector<std::int32_t>>{{0, 1}, {2, 1}})) << row;
        EXPECT_EQ(modulodxf::qqpun[1], 2) << row;
    }
}

TEST(PolylineDeletion, MapsLongerThanTheirCountsAreReadOnlyUpToTheArrays) {
    LoadRows({0, 0, 0});
    modulodxf::qpun = 50; // more controls than map entries
    modulodxf::qqpun = {0, 3};
    modulodxf::qlin = 50;
    modulodxf::qqlin.Redim(1, 1);
    modulodxf::qqlin(1, 0) = 3;
    modulodxf::dxfxyz.resize(1); // shorter than the point set

    Inizio::cancellacestino(1);

    EXPECT_EQ(Xs(), (std::vector<double>{1, 2}));
    EXPECT_EQ(modulodxf::qqpun[1], 2);
    EXPECT_EQ(modulodxf::qqlin(1, 0), 2);
}

} // namespace

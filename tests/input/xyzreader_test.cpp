// The reader of X, Y, Z text files.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/inizio.h"
#include "tests/input/readertesting.h"

namespace {

using namespace readertest;

Survey LonePoints(const std::vector<Point>& points) {
    Survey s = Loaded(points);
    for (std::int32_t p = 0; p < static_cast<std::int32_t>(points.size()); ++p) {
        s.rows.push_back({p, 0});
        s.rowOfPoint.push_back(p + 1);
    }
    return s;
}

// The lines of points_*.txt: a short line lacks fields, an empty or a header line still makes a
// point, a fourth field is not read, and the last line end makes no further point.
const Survey kPointList =
    LonePoints({{10, 20, 30}, {1.5, 2.5, 3.5}, {5, 6, 0}, {7, 0, 0}, {0, 0, 0}, {0, 0, 0}, {-4, 8.25, 9}});

TEST(XyzReader, ReadsOneLonePointPerLineWhateverTheLineEnds) {
    for (const char* name : {"points_lf.txt", "points_crlf.txt", "points_cr.txt"}) {
        SetEarlierData();
        EXPECT_EQ(RunReader(Inizio::apritesto, DataFile(name)), "text/plain");
        EXPECT_EQ(Current(), kPointList) << name;
        EXPECT_TRUE(Consistent());
    }
}

TEST(XyzReader, OneCommaPutsTheWholeFileInDecimalCommaForm) {
    SetEarlierData();
    RunReader(Inizio::apritesto, DataFile("points_comma.txt"));
    EXPECT_EQ(Current(), LonePoints({{1234.5, 2.5, 3}, {125, 0, 0}, {-0.75, 1000, 2}}));

    // The comma may come last, in a header line, after the points it changes.
    Scratch scratch;
    RunReader(Inizio::apritesto, scratch.Write("late.txt", "1.5\t2\t3\n\nX,Y,Z"));
    EXPECT_EQ(Current(), LonePoints({{15, 2, 3}, {0, 0, 0}, {0, 0, 0}}));
}

TEST(XyzReader, AnEmptyFileEmptiesTheDataAndEntersTheTwoDimensionalMode) {
    SetEarlierData();
    Scratch scratch;
    RunReader(Inizio::apritesto, scratch.Write("empty.txt", ""));
    EXPECT_EQ(Current(), LonePoints({}));
    EXPECT_EQ(globali::ptot, -1);
    EXPECT_EQ(modulodxf::dxfcounter, 0);
}

TEST(XyzReader, NumbersBeyondTheDoubleRangeStayFinite) {
    SetEarlierData();
    Scratch scratch;
    RunReader(Inizio::apritesto, scratch.Write("huge.txt", "1e999\t-1e999\t1e-999\n"));
    const Survey read = Current();
    ASSERT_EQ(read.points.size(), 1u);
    EXPECT_GT(read.points[0].x, 1e308);
    EXPECT_LT(read.points[0].y, -1e308);
    EXPECT_EQ(read.points[0].z, 0);
}

} // namespace

// The readers of X, Y, Z text files and of a CAD drawing's tab-separated text export.

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

TEST(XyzReader, ReadsOneLonePointPerLineWhateverTheLineEnds) {
    // A short line lacks fields, an empty or a header line still makes a point, a fourth field is
    // not read, and the last line end makes no further point.
    const Survey expected = LonePoints(
        {{10, 20, 30}, {1.5, 2.5, 3.5}, {5, 6, 0}, {7, 0, 0}, {0, 0, 0}, {0, 0, 0}, {-4, 8.25, 9}});
    for (const char* name : {"points_crlf.txt", "points_cr.txt"}) {
        SetEarlierData();
        EXPECT_EQ(RunReader(Inizio::apritesto, DataFile(name)), "text/plain");
        EXPECT_EQ(Current(), expected) << name;
    }
}

TEST(XyzReader, OneCommaAnywherePutsTheWholeFileInDecimalCommaForm) {
    RunReader(Inizio::apritesto, DataFile("points_comma.txt"));
    EXPECT_EQ(Current(), LonePoints({{1234.5, 2.5, 3}, {125, 0, 0}, {-0.75, 1000, 2}}));
    Scratch scratch;
    RunReader(Inizio::apritesto, scratch.Write("late.txt", "1.5\t2\t3\n\nX,Y,Z"));
    EXPECT_EQ(Current(), LonePoints({{15, 2, 3}, {0, 0, 0}, {0, 0, 0}}));
}

TEST(XyzReader, AnEmptyFileEmptiesTheDataAndHugeNumbersStayFinite) {
    SetEarlierData();
    Scratch scratch;
    RunReader(Inizio::apritesto, scratch.Write("empty.txt", ""));
    EXPECT_EQ(Current(), LonePoints({}));
    RunReader(Inizio::apritesto, scratch.Write("huge.txt", "1e999\t-1e999\t1e-999\n"));
    const Survey read = Current();
    ASSERT_EQ(read.points.size(), 1u);
    EXPECT_GT(read.points[0].x, 1e308);
    EXPECT_LT(read.points[0].y, -1e308);
    EXPECT_EQ(read.points[0].z, 0);
}

TEST(CadTextReader, EveryTextObjectBecomesASpotHeight) {
    SetEarlierData();
    EXPECT_EQ(RunReader(Inizio::apripcaddtesto, DataFile("cad_export.txt")), "text/plain");
    // Y has its sign reversed; commas are decimal signs while points stay ("1.234.5"); the kind
    // compares without case; an unended field 18 is not read; fields after the 18th are ignored.
    EXPECT_EQ(Current(), Loaded({{100, -250, 12.5}, {1.234, 3, 7}, {4, -6, 0}, {-2, -0.5, 3}},
                                {{0, 0}, {1, 0}, {2, 0}, {3, 0}}, {1, 2, 3, 4}));

    Scratch scratch;
    RunReader(Inizio::apripcaddtesto, scratch.Write("lines.txt", "a\tb\tc\td\te\tline\t1\t2\t\n\n"));
    EXPECT_EQ(Current(), Loaded()) << "lines without text objects empty the data";
}

} // namespace

// The reader of a CAD drawing's tab-separated text export.

#include <gtest/gtest.h>

#include <string>

#include "model/inizio.h"
#include "tests/input/readertesting.h"

namespace {

using namespace readertest;

TEST(CadTextReader, EveryTextObjectBecomesASpotHeight) {
    SetEarlierData();
    EXPECT_EQ(RunReader(Inizio::apripcaddtesto, DataFile("cad_export.txt")), "text/plain");
    // Y has its sign reversed; commas are decimal signs while points stay ("1.234.5"); the kind
    // compares without case; an unended field 18 is not read; fields after the 18th are ignored.
    EXPECT_EQ(Current(), Loaded({{100, -250, 12.5}, {1.234, 3, 7}, {4, -6, 0}, {-2, -0.5, 3}},
                                {{0, 0}, {1, 0}, {2, 0}, {3, 0}}, {1, 2, 3, 4}));
    EXPECT_TRUE(Consistent());
}

TEST(CadTextReader, LinesWithoutTextObjectsEmptyTheData) {
    SetEarlierData();
    Scratch scratch;
    RunReader(Inizio::apripcaddtesto, scratch.Write("lines.txt", "a\tb\tc\td\te\tline\t1\t2\t\n\n"));
    EXPECT_EQ(Current(), Loaded());
    EXPECT_EQ(globali::ptot, -1);
}

} // namespace

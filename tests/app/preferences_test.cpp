#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "app/preferences.h"
#include "userfolder.h"

namespace {

using namespace testsupport;

class PreferencesFile : public ::testing::Test {
protected:
    void SetUp() override { RemovePreferences(); }
    void TearDown() override { RemovePreferences(); }
};

TEST_F(PreferencesFile, WithoutAFileTheLanguageIsEnglish) {
    ASSERT_FALSE(std::filesystem::exists(PreferencesPath()));
    EXPECT_EQ(Preferenze::leggilingua(), 1);
}

TEST_F(PreferencesFile, TheFirstLineGivesTheLanguageNumber) {
    struct Case {
        const char* content;
        std::int32_t lingua;
    };
    const Case cases[] = {
        {"2\n", 2},
        {"1\n", 1},
        {"2", 2},         // no line ending
        {"2\r\n", 2},     // CR LF
        {"2\r1\r", 2},    // CR only: still the first line
        {"2\n1\n1\n", 2}, // several lines: only the first counts
        {"  7\n", 7},     // a number typed by hand stays as it is
        {"-3\n", -3},
        {"2.6\n", 3},      // a fraction: the one conversion rounds it
        {"\n2\n", 0},      // empty first line
        {"", 0},           // empty file
        {"italiano\n", 0}, // not a number
        {"99999999999\n", INT32_MAX},
    };
    for (const Case& c : cases) {
        WritePreferences(c.content);
        EXPECT_EQ(Preferenze::leggilingua(), c.lingua)
            << "file content: " << ::testing::PrintToString(c.content);
    }
}

TEST_F(PreferencesFile, AnUnreadableFileFallsBackToEnglish) {
    // A folder where the file should be cannot be opened as text.
    std::filesystem::create_directory(PreferencesPath());
    EXPECT_EQ(Preferenze::leggilingua(), 1);
}

TEST_F(PreferencesFile, WritingReplacesTheFileWithOneLine) {
    WritePreferences("1\n1\nsomething else\n");
    EXPECT_TRUE(Preferenze::scrivilingua(2));
    EXPECT_EQ(ReadPreferences(), "2\n");
    EXPECT_EQ(Preferenze::leggilingua(), 2);
}

TEST_F(PreferencesFile, WritingWithoutAFileCreatesIt) {
    EXPECT_TRUE(Preferenze::scrivilingua(1));
    EXPECT_EQ(ReadPreferences(), "1\n");
}

TEST_F(PreferencesFile, AnyLanguageNumberSurvivesTheRoundTrip) {
    for (const std::int32_t lingua : {0, 1, 2, 7, -3, INT32_MAX, INT32_MIN}) {
        ASSERT_TRUE(Preferenze::scrivilingua(lingua));
        EXPECT_EQ(Preferenze::leggilingua(), lingua);
    }
}

TEST_F(PreferencesFile, AnUnwritableFileIsReportedAndLeftAlone) {
    // A folder that holds a file can be neither deleted nor opened for writing.
    std::filesystem::create_directory(PreferencesPath());
    std::ofstream(PreferencesPath() / "keep") << "x";
    EXPECT_FALSE(Preferenze::scrivilingua(2));
    EXPECT_TRUE(std::filesystem::is_directory(PreferencesPath()));
    EXPECT_TRUE(std::filesystem::exists(PreferencesPath() / "keep"));
}

} // namespace

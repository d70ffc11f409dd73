#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "app/preferences.h"
#include "tests/support/userfolder.h"

namespace {

using namespace testsupport;

class PreferencesFile : public ::testing::Test {
protected:
    void SetUp() override { RemovePreferences(); }
    void TearDown() override { RemovePreferences(); }
};

TEST_F(PreferencesFile, TheLanguageIsTheNumberOnTheFirstLineOrEnglishWithoutAFile) {
    EXPECT_EQ(Preferenze::leggilingua(), 1);
    const std::pair<const char*, std::int32_t> cases[] = {{"2", 2},          {"2\r1\r", 2},
                                                          {"  -3\n", -3},    {"\n2\n", 0},
                                                          {"italiano\n", 0}, {"99999999999\n", INT32_MAX}};
    for (const auto& [content, lingua] : cases) {
        WritePreferences(content);
        EXPECT_EQ(Preferenze::leggilingua(), lingua) << ::testing::PrintToString(content);
    }
}

TEST_F(PreferencesFile, WritingReplacesTheFileWithTheOneLanguageLine) {
    WritePreferences("1\n1\nsomething else\n");
    EXPECT_TRUE(Preferenze::scrivilingua(INT32_MIN));
    EXPECT_EQ(ReadPreferences(), "-2147483648\n");
}

TEST_F(PreferencesFile, AFileThatCannotBeReadOrReplacedGivesEnglishAndIsLeftAlone) {
    // A folder that holds a file can be neither opened as text, nor deleted, nor written.
    std::filesystem::create_directory(PreferencesPath());
    std::ofstream(PreferencesPath() / "keep") << "x";
    EXPECT_EQ(Preferenze::leggilingua(), 1);
    EXPECT_FALSE(Preferenze::scrivilingua(2));
    EXPECT_TRUE(std::filesystem::exists(PreferencesPath() / "keep"));
}

} // namespace

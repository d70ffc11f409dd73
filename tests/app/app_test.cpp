#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "app/app.h"
#include "app/menu.h"
#include "app/preferences.h"
#include "app/resources.h"
#include "app/startup.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "rt/resourcepicture.h"
#include "rt/runtime.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/userfolder.h"

namespace {

using namespace testsupport;

class Application : public ::testing::Test {
protected:
    void SetUp() override { RemovePreferences(); }
    void TearDown() override {
        ambrelix::DiscardAppInstance();
        Inizio::ambiente = 0;
        RemovePreferences();
    }
};

TEST_F(Application, StartsWithFileTypesAndMenuBarThenOpensWithTheLaunchValuesAndWritesEnglishAtQuit) {
    globali::lingua = -42;
    globali::scrx = globali::scry = -1;
    globali::terreno = std::make_shared<rt::Trimesh>();
    Inizio::ambiente = 2;
    Inizio::engine3d = 1;
    bool ranLoop = false;
    QTimer::singleShot(0, [&] {
        ranLoop = true;
        for (const char* type : {"text/plain", "qd3d/3dmf", "special/any"})
            EXPECT_NE(rt::FindFileType(type), nullptr) << type;
        EXPECT_EQ(App().GetMenuBar(), &Menu());
        App().Quit();
    });
    EXPECT_EQ(ambrelix::Main(), 0);
    EXPECT_TRUE(ranLoop);
    EXPECT_EQ(rt::Application::Current(), nullptr);
    EXPECT_EQ(ReadPreferences(), "1\n");
    EXPECT_EQ(FileMenu().Text(), "File");
    EXPECT_EQ(globali::scrx, rt::Screen(0).Width - 173);
    EXPECT_EQ(globali::scry, rt::Screen(0).Height - 53);
    EXPECT_EQ(globali::terreno, nullptr);
    EXPECT_EQ(Inizio::ambiente + Inizio::engine3d, 0);
    EXPECT_FALSE(FileExport().Enabled()); // the menus of working mode 0
}

TEST_F(Application, MenusAreEnabledByTheWorkingMode) {
    // Enabled (1) or not (0) in working modes 0, 1 and 2; "-": left as it was.
    const std::pair<rt::MenuItem& (*)(), const char*> rows[] = {
        {AppleAmbrelixInfo, "111"}, {FilePointEditor, "111"},     {FileOpenImage, "111"}, {FileImport, "111"},
        {ImportXYZ, "111"},         {ImportPowerCADDdata, "111"}, {ImportDXF, "111"},     {ExportDXF, "111"},
        {FileExport, "011"},        {ExportTextXYZ, "-01"},       {ExportTextGDL, "-01"}, {ExportQD3D, "-01"},
        {ExportCopyGDLText, "-01"}, {EditEditMesh, "001"}};
    ambrelix::NewAppInstance();
    for (int mode = 0; mode < 3; ++mode)
        for (const bool before : {false, true}) {
            for (const auto& [item, states] : rows)
                item().SetEnabled(before);
            Inizio::ambiente = mode;
            rt::EnableMenuItems();
            for (const auto& [item, states] : rows)
                EXPECT_EQ(item().Enabled(), states[mode] == '-' ? before : states[mode] == '1')
                    << item().Name() << " in working mode " << mode << ", enabled before: " << before;
        }
    EXPECT_EQ(ImportDXF().Parent(), &FileImport()); // the two DXF items are told apart by their menus
    EXPECT_EQ(ExportDXF().Parent(), &FileExport());
    EXPECT_THROW(MenuItemNamed("FileSave"), std::logic_error);
}

TEST_F(Application, TheLanguageIsTheNumberOnTheFirstLineOfThePreferencesOrEnglishWithoutAFile) {
    EXPECT_EQ(preferences::ReadLanguage(), 1);
    const std::pair<const char*, std::int32_t> cases[] = {{"2", 2},          {"2\r1\r", 2},
                                                          {"  -3\n", -3},    {"\n2\n", 0},
                                                          {"italiano\n", 0}, {"99999999999\n", INT32_MAX}};
    for (const auto& [content, lingua] : cases) {
        WritePreferences(content);
        EXPECT_EQ(preferences::ReadLanguage(), lingua) << ::testing::PrintToString(content);
    }
    WritePreferences("1\n1\nsomething else\n");
    EXPECT_TRUE(preferences::WriteLanguage(INT32_MIN));
    EXPECT_EQ(ReadPreferences(), "-2147483648\n");
}

TEST_F(Application, APreferencesFileThatCannotBeReadOrReplacedGivesEnglishAndIsLeftAlone) {
    // A folder that holds a file can be neither opened as text, nor deleted, nor written.
    std::filesystem::create_directory(PreferencesPath());
    std::ofstream(PreferencesPath() / "keep") << "x";
    EXPECT_EQ(preferences::ReadLanguage(), 1);
    EXPECT_FALSE(preferences::WriteLanguage(2));
    EXPECT_TRUE(std::filesystem::exists(PreferencesPath() / "keep"));
    // A pipe is neither waited for nor replaced.
    RemovePreferences();
    ASSERT_EQ(mkfifo(PreferencesPath().c_str(), 0600), 0);
    EXPECT_EQ(preferences::ReadLanguage(), 1);
    EXPECT_FALSE(preferences::WriteLanguage(2));
    EXPECT_TRUE(std::filesystem::is_fifo(PreferencesPath()));
    // A full disk at quit keeps the language that was chosen.
    WritePreferences("2\n");
    const FileSizeLimit full(1);
    EXPECT_FALSE(preferences::WriteLanguage(1));
    EXPECT_EQ(ReadPreferences(), "2\n");
}

TEST(Resources, EveryPictureIsReadOnceAndTheSamePictureHandedOutOnEveryCall) {
    const auto pictures = {Picture1, Picture2,  Picture3, Picture4, bita,     busa, ico1,
                           ico2,     mesh35x24, ib1copia, ib1,      ib2copia, ib2,  ib3copia,
                           ib3,      ib4copia,  ib4,      ib5copia, ib5};
    for (const auto picture : pictures)
        ASSERT_TRUE(picture());
    const std::int32_t reads = rt::ResourcePictureReads();
    for (const auto picture : pictures)
        EXPECT_TRUE(picture() == picture());
    EXPECT_EQ(rt::ResourcePictureReads(), reads);
    EXPECT_EQ(mesh35x24().Width(), 35); // the icons fill their 35 x 24 canvases
    ASSERT_NE(cursore(), nullptr);
    EXPECT_EQ(cursore(), cursore());
}

} // namespace

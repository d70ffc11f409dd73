#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/filetypes.h"
#include "app/menu.h"
#include "app/startup.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "rt/conv.h"
#include "rt/runtime.h"
#include "userfolder.h"

namespace {

using namespace testsupport;

class Application : public ::testing::Test {
protected:
    void SetUp() override {
        RemovePreferences();
        ambrelix::InitFileTypes();
        ambrelix::NewAppInstance();
    }
    void TearDown() override {
        ambrelix::DiscardAppInstance();
        RemovePreferences();
    }

    // Values that no launch would give, so that every launch value must be set.
    static void Scramble() {
        globali::lingua = -42;
        globali::assx = globali::assy = globali::assz = -1;
        globali::celamesh = true;
        globali::scrx = globali::scry = -1;
        globali::terreno = std::make_shared<rt::Trimesh>();
        Inizio::ambiente = 2;
        Inizio::engine3d = 1;
        globali::col_3d = Inizio::gammanosel = Inizio::gammasisel = 0x123456;
    }
};

TEST_F(Application, StartUpRegistersTheApplicationWithTheMenuBar) {
    EXPECT_EQ(rt::Application::Current(), &App());
    EXPECT_EQ(App().GetMenuBar(), &Menu());
}

TEST_F(Application, StartUpRegistersTheThreeFileTypes) {
    struct Expected {
        const char* name;
        const char* extensions;
        const char* macType;
        const char* macCreator;
    };
    const Expected types[] = {
        {"text/plain", ".txt", "TEXT", "pTmS"},
        {"qd3d/3dmf", ".3mf", "3DMF", "????"},
        {"special/any", "", "????", "????"},
    };
    for (const Expected& expected : types) {
        const rt::FileType* type = rt::FindFileType(expected.name);
        ASSERT_NE(type, nullptr) << expected.name;
        EXPECT_EQ(type->Extensions, expected.extensions);
        EXPECT_EQ(type->MacType, expected.macType);
        EXPECT_EQ(type->MacCreator, expected.macCreator);
    }
    EXPECT_EQ(FileTypes::pTextPlain.Name, "text/plain");
    EXPECT_EQ(FileTypes::pQd3d3dmf.Name, "qd3d/3dmf");
    EXPECT_EQ(FileTypes::pSpecialAny.Name, "special/any");
}

TEST_F(Application, OpeningWithoutPreferencesGivesEnglishAndTheLaunchValues) {
    Scramble();
    App().Event_Open();

    EXPECT_EQ(globali::lingua, 1);
    EXPECT_EQ(FileMenu().Text(), "File");
    EXPECT_EQ(EditEditMesh().Text(), "Edit measures..");
    EXPECT_DOUBLE_EQ(globali::assx, 0.52359833333);
    EXPECT_DOUBLE_EQ(globali::assy, 0.52359833333);
    EXPECT_DOUBLE_EQ(globali::assz, 1.0);
    EXPECT_FALSE(globali::celamesh);
    const rt::ScreenSize screen = rt::Screen(0);
    ASSERT_GT(screen.Width, 0);
    EXPECT_EQ(globali::scrx, screen.Width - 173);
    EXPECT_EQ(globali::scry, screen.Height - 53);
    EXPECT_EQ(globali::terreno, nullptr);
    EXPECT_EQ(Inizio::ambiente, 0);
    EXPECT_EQ(Inizio::engine3d, 0);
    EXPECT_EQ(globali::col_3d, rt::HSV(0.25, 0.5, 0.5));
    EXPECT_EQ(Inizio::gammanosel, rt::HSV(0.25, 0.7, 0.7));
    EXPECT_EQ(Inizio::gammasisel, rt::HSV(0, 1.0, 0.7));
    // The menus are enabled for working mode 0 by the opening itself.
    EXPECT_FALSE(FileExport().Enabled());
    EXPECT_FALSE(EditEditMesh().Enabled());
    EXPECT_TRUE(FilePointEditor().Enabled());
}

TEST_F(Application, OpeningWithItalianPreferencesGivesItalianMenus) {
    WritePreferences("2\n");
    App().Event_Open();
    EXPECT_EQ(globali::lingua, 2);
    EXPECT_EQ(FileMenu().Text(), "Archivio");
    EXPECT_EQ(FileQuit().Text(), "Esci");
}

TEST_F(Application, ClosingWritesTheLanguageInForce) {
    WritePreferences("2\nold\n");
    App().Event_Open();
    App().Event_Close();
    EXPECT_EQ(ReadPreferences(), "2\n");

    globali::lingua = 1; // as a click on the US flag leaves it
    App().Event_Close();
    EXPECT_EQ(ReadPreferences(), "1\n");
}

TEST_F(Application, AHandEditedLanguageStaysInForceAndIsWrittenBack) {
    WritePreferences("7\n");
    App().Event_Open();
    EXPECT_EQ(globali::lingua, 7);
    EXPECT_EQ(FileMenu().Text(), "Archivio");
    App().Event_Close();
    EXPECT_EQ(ReadPreferences(), "7\n");
}

TEST_F(Application, AnUnwritablePreferencesFileDoesNotStopTheQuit) {
    std::filesystem::create_directory(PreferencesPath());
    std::ofstream(PreferencesPath() / "keep") << "x";
    App().Event_Open();
    EXPECT_EQ(globali::lingua, 1);
    EXPECT_NO_THROW(App().Event_Close());
}

// The items the enabling sets, with their state per working mode 0, 1, 2 and 3; -1 means
// "left as it was".
struct Row {
    rt::MenuItem& (*item)();
    int mode[4];
};

const Row kEnabling[] = {
    {AppleAmbrelixInfo, {1, 1, 1, 1}},   {FilePointEditor, {1, 1, 1, 1}}, {FileOpenImage, {1, 1, 1, 1}},
    {FileImport, {1, 1, 1, 1}},          {ImportXYZ, {1, 1, 1, 1}},       {ImportPowerCADDdata, {1, 1, 1, 1}},
    {ImportDXF, {1, 1, 1, 1}},           {ExportDXF, {1, 1, 1, 1}},       {FileExport, {0, 1, 1, -1}},
    {ExportTextXYZ, {-1, 0, 1, -1}},     {ExportTextGDL, {-1, 0, 1, -1}}, {ExportQD3D, {-1, 0, 1, -1}},
    {ExportCopyGDLText, {-1, 0, 1, -1}}, {EditEditMesh, {0, 0, 1, -1}},
};

TEST_F(Application, EnablingFollowsTheWorkingMode) {
    for (int mode = 0; mode < 4; ++mode) {
        for (const bool before : {false, true}) {
            for (const Row& row : kEnabling)
                row.item().SetEnabled(before);
            Inizio::ambiente = mode;
            rt::EnableMenuItems();
            for (const Row& row : kEnabling) {
                const bool expected = row.mode[mode] == -1 ? before : row.mode[mode] == 1;
                EXPECT_EQ(row.item().Enabled(), expected)
                    << row.item().Name() << " in working mode " << mode << ", enabled before: " << before;
            }
        }
    }
    Inizio::ambiente = 0;
}

TEST_F(Application, BackFrom3DTo2DTheMeshExportsCloseAgain) {
    Inizio::ambiente = 2;
    rt::EnableMenuItems();
    Inizio::ambiente = 1;
    rt::EnableMenuItems();
    for (auto* item : {ExportTextXYZ, ExportTextGDL, ExportQD3D, ExportCopyGDLText, EditEditMesh})
        EXPECT_FALSE(item().Enabled()) << item().Name();
    EXPECT_TRUE(FileExport().Enabled());
    EXPECT_TRUE(ExportDXF().Enabled());
    Inizio::ambiente = 0;
}

} // namespace

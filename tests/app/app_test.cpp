#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "app/app.h"
#include "app/menu.h"
#include "app/startup.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "rt/runtime.h"
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
    // Values that no launch gives, so that every launch value checked must be set.
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
    const rt::ScreenSize screen = rt::Screen(0);
    EXPECT_EQ(globali::scrx, screen.Width - 173);
    EXPECT_EQ(globali::scry, screen.Height - 53);
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
}

TEST_F(Application, TheTwoDxfItemsAreToldApartByTheirMenus) {
    EXPECT_EQ(ImportDXF().Parent(), &FileImport());
    EXPECT_EQ(ExportDXF().Parent(), &FileExport());
    EXPECT_THROW(MenuItemNamed("FileSave"), std::logic_error);
}

} // namespace

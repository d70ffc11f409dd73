// The terrain leaving the program as a user exports it: points read, the switch to 3D, the mesh
// computed, then each item of File > Export.. with the save dialog answered by script.

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "rt/dialogs.h"
#include "rt/runtime.h"
#include "tests/support/e2e.h"
#include "tests/support/userfolder.h"

namespace {

using namespace testsupport;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class Exports : public ::testing::Test {
protected:
    void SetUp() override {
        RemovePreferences();
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        RemovePreferences();
        std::filesystem::remove_all(folder_);
    }

    const std::filesystem::path folder_ =
        std::filesystem::temp_directory_path() /
        ("ambrelix_exports_" + std::to_string(QCoreApplication::applicationPid()));
};

TEST_F(Exports, EveryMeshFormatAfterCreateMesh3DAndNoneBefore) {
    const std::filesystem::path points = folder_ / "hill.txt";
    {
        std::ofstream out(points);
        for (int i = 0; i <= 6; ++i)
            for (int j = 0; j <= 4; ++j)
                out << i * 10 << '\t' << j * 10 << '\t' << (i * j) % 7 << '\n';
    }
    RunProgram([&] {
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerOpen(points.string());
        ButtonCaptioned(VisibleWindow("Starting Choice"),
                        "Read points from a TEXT file of X, Y, Z coordinates")
            ->click();
        ASSERT_TRUE(WaitFor([] { return VisibleWindow("Trace") != nullptr; }));
        ButtonCaptioned(VisibleWindow("Trace"), "3 D")->click();
        ASSERT_TRUE(WaitFor([] { return VisibleWindow("Control") != nullptr; }));
        for (const QString item : {"Text XYZ..", "Text GDL..", "QD3D Metafile..", "Copy GDL Text..", "DXF.."})
            EXPECT_TRUE(MenuItem({"File", "Export..", item})->isEnabled()) << item.toStdString();
        EXPECT_TRUE(MenuItem({"Edit", "Edit measures.."})->isEnabled());

        // No mesh yet: a beep and no save dialog (an unscripted dialog would fail the test).
        const std::int32_t beeps = rt::BeepCount();
        MenuItem({"File", "Export..", "Text XYZ.."})->trigger();
        EXPECT_EQ(rt::BeepCount(), beeps + 1);

        ButtonCaptioned(VisibleWindow("Control"), "Create Mesh 3D")->click();
        QGuiApplication::clipboard()->setText("before");
        for (const auto& [item, name] : {std::pair{"Text XYZ..", "MESH.TXT"},
                                         {"Text GDL..", "MESH.GDL"},
                                         {"QD3D Metafile..", "MESH.3MF"},
                                         {"DXF..", "MESH.DXF"}}) {
            dialogs.AnswerSave((folder_ / name).string());
            MenuItem({"File", "Export..", item})->trigger();
        }
        MenuItem({"File", "Export..", "Copy GDL Text.."})->trigger();
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), ReadFile(folder_ / "MESH.GDL"));
        EXPECT_EQ(dialogs.PendingAnswers(), 0u);
        rt::Application::Current()->Quit();
    });

    const std::string xyz = ReadFile(folder_ / "MESH.TXT");
    const std::string gdl = ReadFile(folder_ / "MESH.GDL");
    const std::string metafile = ReadFile(folder_ / "MESH.3MF");
    const std::string dxf = ReadFile(folder_ / "MESH.DXF");
    EXPECT_GT(std::count(xyz.begin(), xyz.end(), '\r'), 30);
    EXPECT_EQ(gdl.rfind("MESH ", 0), 0u);
    EXPECT_EQ(metafile.rfind("3DMetafile", 0), 0u);
    EXPECT_NE(dxf.find("3DFACE\r\n"), std::string::npos);
    EXPECT_NE(dxf.find("EOF"), std::string::npos);
}

} // namespace

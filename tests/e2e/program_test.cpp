// The program used as a user does: the start and the quit, each road the survey data comes in by,
// and the terrain leaving by File > Export.., with the file dialogs answered by script.

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/conv.h"
#include "rt/dialogs.h"
#include "rt/runtime.h"
#include "tests/support/e2e.h"

namespace {

using namespace testsupport;
using Program = ProgramTest;

void Trigger(std::initializer_list<QString> path) {
    QAction* item = MenuItem(path);
    ASSERT_NE(item, nullptr);
    item->trigger();
}

void TypeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

// The cells of the point list, opened from File > Point Editor.., as rows of "x y z".
QStringList PointListRows() {
    Trigger({"File", "Point Editor.."});
    QWidget* list = nullptr;
    if (!QTest::qWaitFor([&] { return (list = VisibleWindow("Point Editor")) != nullptr; }))
        return {"no point list"};
    QStringList rows;
    const auto* table = list->findChild<QTableWidget*>();
    for (int r = 0; table != nullptr && r < table->rowCount(); ++r)
        rows << table->item(r, 0)->text() + " " + table->item(r, 1)->text() + " " + table->item(r, 2)->text();
    return rows;
}

// The 2D editor shows a survey point in the unselected colour where the view transform puts it.
bool EditorShowsPointAt(double x, double y) {
    QWidget* editor = VisibleWindow("2 D");
    if (editor == nullptr)
        return false;
    const QImage shown = editor->grab().toImage();
    const QPoint at(rt::conv(modulodxf::zmfct * (x - modulodxf::zxmin) + modulodxf::xz),
                    rt::conv(globali::scry - (modulodxf::zmfct * (y - modulodxf::zymin) + modulodxf::yz)));
    for (int d = 0; d < 49; ++d)
        if (const QPoint p = at + QPoint(d % 7 - 3, d / 7 - 3);
            shown.valid(p) && (shown.pixel(p) & 0xFFFFFF) == (Inizio::gammanosel & 0xFFFFFF))
            return true;
    return false;
}

TEST_F(Program, FirstLaunchIsEnglishAndFileQuitWithTheMouseWritesEnglish) {
    const int status = RunProgram([] {
        QAction* file = MenuItem({"File"});
        QMenuBar* bar = Strip();
        ASSERT_TRUE(file && bar);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
        QPointer<QMenu> menu = file->menu();
        ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); })) << "File did not open";
        QAction* quit = MenuItem({"File", "Quit"});
        ASSERT_NE(quit, nullptr);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(quit).center());
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadPreferences(), "1\n");
}

TEST_F(Program, ItalianPreferencesGiveArchivioAndControlQQuitsKeepingItalian) {
    WritePreferences("2\nsecond line\n");
    const int status = RunProgram([] {
        ASSERT_NE(MenuItem({"Archivio"}), nullptr);
        ASSERT_NE(Strip(), nullptr);
        QWidget* strip = Strip()->window();
        QApplication::setActiveWindow(strip);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == strip; }));
        qt_sendShortcutOverrideEvent(strip, 0, Qt::Key_Q, Qt::ControlModifier, QStringLiteral("q"));
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadPreferences(), "2\n");
}

TEST_F(Program, ShortcutsWorkWhenOnlyTheMenuIsLeftAfterTheStartWindowsCloseBoxOrARefusedSwitchTo3D) {
    const int status = RunProgram([] {
        rt::ScriptedDialogs dialogs;
        VisibleWindow("Starting Choice")->close();
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeWindow() != nullptr; }));
        QTest::keyClick(QApplication::activeWindow(), Qt::Key_R, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("Point Editor") != nullptr; }));
        dialogs.AnswerMessage();
        Press(VisibleWindow("Point Editor"), "OK");
        ASSERT_TRUE(QTest::qWaitFor(
            [] { return !VisibleWindow("Point Editor") && QApplication::activeWindow() != nullptr; }));
        EXPECT_EQ(dialogs.PendingAnswers(), 0u) << "the switch to 3D was not refused";
        QTest::keyClick(QApplication::activeWindow(), Qt::Key_Q, Qt::ControlModifier);
    });
    EXPECT_EQ(status, 0);
}

TEST_F(Program, XyzFileThenPointsTypedIntoThePointListWithOkBackIn2D) {
    RunProgram([] {
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerOpen(TestData("points_lf.txt"));
        Press(VisibleWindow("Starting Choice"), "Read points from a TEXT file of X, Y, Z coordinates");
        ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("Trace") && VisibleWindow("2 D"); }));
        EXPECT_EQ(VisibleWindow("Starting Choice"), nullptr);
        EXPECT_TRUE(QTest::qWaitFor([] { return EditorShowsPointAt(10, 20); }));
        EXPECT_TRUE(EditorShowsPointAt(7, 0));
        EXPECT_EQ(PointListRows(),
                  QStringList({"10 20 30", "1.5 2.5 3.5", "5 6 0", "7 0 0", "0 0 0", "0 0 0", "-4 8.25 9"}));
        QWidget* list = VisibleWindow("Point Editor");
        const auto fields = list->findChildren<QLineEdit*>();
        ASSERT_GE(fields.size(), 3);
        for (int i = 0; i < 3; ++i)
            TypeInto(fields[i], QString::number(40 + i));
        Press(list, "Add Point");
        Press(list, "OK");
        ASSERT_TRUE(QTest::qWaitFor([] { return !VisibleWindow("Point Editor") && VisibleWindow("2 D"); }));
        EXPECT_TRUE(QTest::qWaitFor([] { return EditorShowsPointAt(40, 41); }));
        EXPECT_EQ(PointListRows().size(), 8);
        Press(VisibleWindow("Point Editor"), "Cancel");
        rt::Application::Current()->Quit();
    });
}

TEST_F(Program, DxfContoursTakeTheirHeightsFromTheOptionsWindowAndGoBackOutAsDxf) {
    const std::string exported =
        (std::filesystem::temp_directory_path() /
         ("ambrelix_roads_" + std::to_string(QCoreApplication::applicationPid()) + ".dxf"))
            .string();
    std::filesystem::remove(exported);
    RunProgram([&] {
        rt::ScriptedDialogs dialogs;
        Press(VisibleWindow("Starting Choice"), "Read DXF level curves (Polyline only) and quote them");
        QWidget* options = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] { return (options = VisibleWindow("Import DXF..")) != nullptr; }));
        options->findChild<QCheckBox*>()->click();
        const auto fields = options->findChildren<QLineEdit*>();
        ASSERT_EQ(fields.size(), 2);
        TypeInto(fields[0], "100");
        TypeInto(fields[1], "5");
        dialogs.AnswerOpen(TestData("contours_r2000_lwpolyline.dxf"));
        Press(options, "OK");
        ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("Trace") && VisibleWindow("2 D"); }));
        const QStringList rows = PointListRows();
        ASSERT_GE(rows.size(), 2);
        EXPECT_TRUE(rows.first().endsWith(" 100")) << rows.first().toStdString();
        EXPECT_TRUE(rows.last().endsWith(" 105")) << rows.last().toStdString();
        Press(VisibleWindow("Point Editor"), "Cancel");
        dialogs.AnswerSave(exported);
        Trigger({"File", "Export..", "DXF.."});
        rt::Application::Current()->Quit();
    });
    const std::string written = ReadFile(exported);
    EXPECT_NE(written.find("POLYLINE\r\n"), std::string::npos);
    EXPECT_NE(written.find("EOF"), std::string::npos);
    std::filesystem::remove(exported);
}

TEST_F(Program, TheItalianFlagThenCadTextEndInTheItalianEditor) {
    RunProgram([] {
        rt::ScriptedDialogs dialogs;
        ASSERT_NE(VisibleWindow("Starting Choice"), nullptr);
        QTest::mouseClick(VisibleWindow("Starting Choice")->childAt(366, 22), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("Scelta iniziale") != nullptr; }));
        EXPECT_NE(MenuItem({"Archivio"}), nullptr);
        dialogs.AnswerOpen(TestData("cad_export.txt"));
        Press(VisibleWindow("Scelta iniziale"), "Leggi i testi delle quote da un file PowerCADD Export data");
        EXPECT_TRUE(QTest::qWaitFor([] { return VisibleWindow("Traccia") && VisibleWindow("2 D"); }));
        rt::Application::Current()->Quit();
    });
}

TEST_F(Program, EveryMeshFormatAfterCreateMesh3DAndNoneBefore) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("ambrelix_exports_" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::create_directories(folder);
    {
        std::ofstream out(folder / "hill.txt");
        for (int i = 0; i <= 6; ++i)
            for (int j = 0; j <= 4; ++j)
                out << i * 10 << '\t' << j * 10 << '\t' << (i * j) % 7 << '\n';
    }
    RunProgram([&] {
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerOpen((folder / "hill.txt").string());
        Press(VisibleWindow("Starting Choice"), "Read points from a TEXT file of X, Y, Z coordinates");
        ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("Trace") != nullptr; }));
        Press(VisibleWindow("Trace"), "3 D");
        ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("Control") != nullptr; }));
        for (const QString item : {"Text XYZ..", "Text GDL..", "QD3D Metafile..", "Copy GDL Text..", "DXF.."})
            EXPECT_TRUE(MenuItem({"File", "Export..", item}) &&
                        MenuItem({"File", "Export..", item})->isEnabled())
                << item.toStdString();

        // No mesh yet: a beep and no save dialog (an unscripted dialog would fail the test).
        const std::int32_t beeps = rt::BeepCount();
        Trigger({"File", "Export..", "Text XYZ.."});
        EXPECT_EQ(rt::BeepCount(), beeps + 1);
        Press(VisibleWindow("Control"), "Create Mesh 3D");
        QGuiApplication::clipboard()->setText("before");
        for (const auto& [item, name] : {std::pair{"Text XYZ..", "MESH.TXT"},
                                         {"Text GDL..", "MESH.GDL"},
                                         {"QD3D Metafile..", "MESH.3MF"},
                                         {"DXF..", "MESH.DXF"}}) {
            dialogs.AnswerSave((folder / name).string());
            Trigger({"File", "Export..", item});
        }
        Trigger({"File", "Export..", "Copy GDL Text.."});
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), ReadFile(folder / "MESH.GDL"));
        EXPECT_EQ(dialogs.PendingAnswers(), 0u);
        rt::Application::Current()->Quit();
    });
    const std::string xyz = ReadFile(folder / "MESH.TXT"), dxf = ReadFile(folder / "MESH.DXF");
    EXPECT_GT(std::count(xyz.begin(), xyz.end(), '\r'), 30);
    EXPECT_EQ(ReadFile(folder / "MESH.GDL").rfind("MESH ", 0), 0u);
    EXPECT_EQ(ReadFile(folder / "MESH.3MF").rfind("3DMetafile", 0), 0u);
    EXPECT_NE(dxf.find("3DFACE\r\n"), std::string::npos);
    EXPECT_NE(dxf.find("EOF"), std::string::npos);
    std::filesystem::remove_all(folder);
}

} // namespace

// Survey data brought in by the roads of the start window and the File menu, on a real screen,
// with the file dialogs answered by script; what the user then sees in the 2D editor, the point
// list and the menus.

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QSet>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/dialogs.h"
#include "tests/support/e2e.h"
#include "tests/support/userfolder.h"

namespace {

using namespace testsupport;

std::string Data(const char* name) {
    return (std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / name).string();
}

QWidget* StartWindow() {
    return VisibleWindow("Starting Choice");
}

void Press(QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

// The cells of the point list, opened from File > Point Editor.., as rows of "x y z".
QStringList PointListRows() {
    QAction* editor = MenuItem({"File", "Point Editor.."});
    if (editor == nullptr || !editor->isEnabled())
        return {"Point Editor.. not available"};
    editor->trigger();
    QWidget* list = nullptr;
    if (!WaitFor([&] { return (list = VisibleWindow("Point Editor")) != nullptr; }))
        return {"no point list"};
    QStringList rows;
    const auto* table = list->findChild<QTableWidget*>();
    for (int r = 0; table != nullptr && r < table->rowCount(); ++r)
        rows << table->item(r, 0)->text() + " " + table->item(r, 1)->text() + " " + table->item(r, 2)->text();
    return rows;
}

// The 2D editor shows a point of the survey in the unselected colour where the view transform
// puts it.
bool EditorShowsPointAt(double x, double y) {
    QWidget* editor = VisibleWindow("2 D");
    if (editor == nullptr)
        return false;
    const QImage shown = editor->grab().toImage();
    const int px = static_cast<int>(modulodxf::zmfct * (x - modulodxf::zxmin) + modulodxf::xz);
    const int py =
        static_cast<int>(globali::scry - (modulodxf::zmfct * (y - modulodxf::zymin) + modulodxf::yz));
    for (int dx = -3; dx <= 3; ++dx)
        for (int dy = -3; dy <= 3; ++dy)
            if (shown.valid(px + dx, py + dy) &&
                (shown.pixel(px + dx, py + dy) & 0xFFFFFF) == (Inizio::gammanosel & 0xFFFFFF))
                return true;
    return false;
}

void Quit() {
    rt::Application::Current()->Quit();
}

class Roads : public ::testing::Test {
protected:
    void SetUp() override { RemovePreferences(); }
    void TearDown() override { RemovePreferences(); }
};

TEST_F(Roads, XyzFileThenPointsTypedIntoThePointList) {
    RunProgram([] {
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerOpen(Data("points_lf.txt"));
        Press(ButtonCaptioned(StartWindow(), "Read points from a TEXT file of X, Y, Z coordinates"));

        ASSERT_TRUE(WaitFor([] { return VisibleWindow("Trace") && VisibleWindow("2 D"); }));
        EXPECT_EQ(StartWindow(), nullptr);
        EXPECT_TRUE(WaitFor([] { return EditorShowsPointAt(10, 20); }));
        EXPECT_TRUE(EditorShowsPointAt(7, 0));
        EXPECT_TRUE(MenuItem({"File", "Export.."})->isEnabled());
        EXPECT_FALSE(MenuItem({"File", "Export..", "Text XYZ.."})->isEnabled());
        EXPECT_FALSE(MenuItem({"Edit", "Edit measures.."})->isEnabled());
        EXPECT_EQ(PointListRows(),
                  QStringList({"10 20 30", "1.5 2.5 3.5", "5 6 0", "7 0 0", "0 0 0", "0 0 0", "-4 8.25 9"}));

        QWidget* list = VisibleWindow("Point Editor");
        const auto fields = list->findChildren<QLineEdit*>();
        ASSERT_GE(fields.size(), 3);
        for (int i = 0; i < 3; ++i) {
            fields[i]->setFocus();
            fields[i]->selectAll();
            QTest::keyClicks(fields[i], QString::number(40 + i));
        }
        Press(ButtonCaptioned(list, "Add Point"));
        Press(ButtonCaptioned(list, "OK"));
        ASSERT_TRUE(WaitFor([] { return !VisibleWindow("Point Editor") && VisibleWindow("2 D"); }));
        EXPECT_TRUE(WaitFor([] { return EditorShowsPointAt(40, 41); }));
        EXPECT_EQ(PointListRows().size(), 8);
        Press(ButtonCaptioned(VisibleWindow("Point Editor"), "Cancel"));
        Quit();
    });
}

TEST_F(Roads, DxfContoursTakeTheirHeightsFromTheOptionsWindowAndGoBackOutAsDxf) {
    const std::string exported =
        (std::filesystem::temp_directory_path() /
         ("ambrelix_roads_" + std::to_string(QCoreApplication::applicationPid()) + ".dxf"))
            .string();
    std::filesystem::remove(exported);
    RunProgram([&] {
        rt::ScriptedDialogs dialogs;
        Press(ButtonCaptioned(StartWindow(), "Read DXF level curves (Polyline only) and quote them"));
        QWidget* options = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (options = VisibleWindow("Import DXF..")) != nullptr; }));
        options->findChild<QCheckBox*>()->click();
        const auto fields = options->findChildren<QLineEdit*>();
        ASSERT_EQ(fields.size(), 2);
        fields[0]->setFocus();
        fields[0]->selectAll();
        QTest::keyClicks(fields[0], "100");
        fields[1]->setFocus();
        fields[1]->selectAll();
        QTest::keyClicks(fields[1], "5");
        dialogs.AnswerOpen(Data("contours_r2000_lwpolyline.dxf"));
        Press(ButtonCaptioned(options, "OK"));

        ASSERT_TRUE(WaitFor([] { return VisibleWindow("Trace") && VisibleWindow("2 D"); }));
        const QStringList rows = PointListRows();
        ASSERT_GE(rows.size(), 2);
        EXPECT_TRUE(rows.first().endsWith(" 100")) << rows.first().toStdString();
        EXPECT_TRUE(rows.last().endsWith(" 105")) << rows.last().toStdString();
        Press(ButtonCaptioned(VisibleWindow("Point Editor"), "Cancel"));

        dialogs.AnswerSave(exported);
        MenuItem({"File", "Export..", "DXF.."})->trigger();
        Quit();
    });
    std::ifstream file(exported, std::ios::binary);
    std::stringstream written;
    written << file.rdbuf();
    EXPECT_NE(written.str().find("POLYLINE\r\n"), std::string::npos);
    EXPECT_NE(written.str().find("EOF"), std::string::npos);
    std::filesystem::remove(exported);
}

TEST_F(Roads, CadTextAndPictureRoadsEndInTheEditorAndTheItalianFlagTurnsThemItalian) {
    RunProgram([] {
        rt::ScriptedDialogs dialogs;
        QTest::mouseClick(StartWindow()->childAt(366, 22), Qt::LeftButton);
        ASSERT_TRUE(WaitFor([] { return VisibleWindow("Scelta iniziale") != nullptr; }));
        EXPECT_NE(MenuItem({"Archivio"}), nullptr);

        dialogs.AnswerOpen(Data("cad_export.txt"));
        Press(ButtonCaptioned(VisibleWindow("Scelta iniziale"),
                              "Leggi i testi delle quote da un file PowerCADD Export data"));
        ASSERT_TRUE(WaitFor([] { return VisibleWindow("Traccia") && VisibleWindow("2 D"); }));

        dialogs.AnswerOpen((std::filesystem::path(__FILE__).parent_path() / "data" / "map.png").string());
        MenuItem({"Archivio", "Importa..", "Immagine.."})->trigger();
        ASSERT_TRUE(WaitFor([] { return VisibleWindow("Traccia") && VisibleWindow("2 D"); }));
        const QImage editor = VisibleWindow("2 D")->grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < editor.height(); y += 7)
            for (int x = 0; x < editor.width(); x += 7)
                colours.insert(editor.pixel(x, y));
        EXPECT_GT(colours.size(), 8) << "the map lies under the editor";
        Quit();
    });
}

} // namespace

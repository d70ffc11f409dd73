// Survey data brought in by the roads of the start window, on a real screen, with the file
// dialogs answered by script, read back from the point list.

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/globali.h"
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

void Quit() {
    rt::Application::Current()->Quit();
}

class Roads : public ::testing::Test {
protected:
    void SetUp() override { RemovePreferences(); }
    void TearDown() override { RemovePreferences(); }
};

TEST_F(Roads, XyzFileBecomesThePointList) {
    RunProgram([] {
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerOpen(Data("points_lf.txt"));
        Press(ButtonCaptioned(StartWindow(), "Read points from a TEXT file of X, Y, Z coordinates"));

        ASSERT_TRUE(WaitFor([] { return VisibleWindow("Trace") && VisibleWindow("2 D"); }));
        EXPECT_EQ(StartWindow(), nullptr);
        EXPECT_EQ(PointListRows(),
                  QStringList({"10 20 30", "1.5 2.5 3.5", "5 6 0", "7 0 0", "0 0 0", "0 0 0", "-4 8.25 9"}));
        Press(ButtonCaptioned(VisibleWindow("Point Editor"), "Cancel"));
        Quit();
    });
}

TEST_F(Roads, DxfContoursTakeTheirHeightsFromTheOptionsWindow) {
    RunProgram([] {
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
        Quit();
    });
}

TEST_F(Roads, TheItalianFlagThenACadTextFileEndInTheEditor) {
    RunProgram([] {
        rt::ScriptedDialogs dialogs;
        QTest::mouseClick(StartWindow()->childAt(366, 22), Qt::LeftButton);
        ASSERT_TRUE(WaitFor([] { return VisibleWindow("Scelta iniziale") != nullptr; }));
        EXPECT_NE(MenuItem({"Archivio"}), nullptr);

        dialogs.AnswerOpen(Data("cad_export.txt"));
        Press(ButtonCaptioned(VisibleWindow("Scelta iniziale"),
                              "Leggi i testi delle quote da un file PowerCADD Export data"));
        ASSERT_TRUE(WaitFor([] { return VisibleWindow("Traccia") && VisibleWindow("2 D"); }));

        EXPECT_GE(globali::ptot, 0);
        Quit();
    });
}

} // namespace

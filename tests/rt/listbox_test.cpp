#include "rt/listbox.h"
#include "rt/window.h"
#include <QApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class ListWindow : public rt::Window {
public:
    rt::ListBox List;
    std::vector<std::string> log;
    bool refuseClicks = false;

protected:
    void Layout() override {
        SetWidth(410);
        SetHeight(300);
    }
    void CreateControls() override {
        List.SetColumnCount(3);
        for (int column = 0; column < 3; ++column)
            List.SetColumnEditable(column, true);
        List.Change = [this] { log.push_back("change " + std::to_string(List.ListIndex())); };
        List.CellKeyDown = [this](std::int32_t row, std::int32_t column, const std::string& key) {
            log.push_back("key " + std::to_string(row) + "," + std::to_string(column) + " " + key);
            return key == "!";
        };
        List.CellClick = [this](std::int32_t row, std::int32_t column, std::int32_t x, std::int32_t y) {
            log.push_back("click " + std::to_string(row) + "," + std::to_string(column) + " at " +
                          std::to_string(x) + "," + std::to_string(y));
            return refuseClicks;
        };
        List.Create(*this, 10, 10, 390, 280);
        for (int row = 0; row < 3; ++row) {
            List.AddRow(std::to_string(row));
            List.SetCell(row, 1, "1" + std::to_string(row));
            List.SetCell(row, 2, "2" + std::to_string(row));
        }
    }
};

TEST(ListBoxTest, CellsOutsideTheRowsAreIgnoredAndSelectionChangesAreReportedAlsoWhenTheRowGoes) {
    ListWindow& window = rt::Instance<ListWindow>();
    rt::ListBox& list = window.List;
    EXPECT_EQ(list.Cell(3, 0) + list.Cell(0, -1), "");
    list.SetCell(5, 0, "lost");
    list.InsertRow(1, "new");
    EXPECT_EQ(list.Cell(2, 0), "1");
    qobject_cast<QTableWidget*>(list.Widget())->selectRow(1);
    list.RemoveRow(1);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(window.log, (std::vector<std::string>{"change 1", "change -1"}));
}

// Clicks the cell 3 pixels right of and 4 below its top-left corner.
void ClickCell(rt::ListBox& list, int row, int column) {
    auto* table = qobject_cast<QTableWidget*>(list.Widget());
    const QRect cell = table->visualRect(table->model()->index(row, column));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.topLeft() + QPoint(3, 4));
}

TEST(ListBoxTest, ClickEditsTheCellKeysGoToCellKeyDownFirstAndTheEditedRowFollowsRemovalsAboveIt) {
    ListWindow& window = rt::Instance<ListWindow>();
    rt::ListBox& list = window.List;
    QApplication::setActiveWindow(window.ContentWidget());
    ClickCell(list, 1, 2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("5!7"));
    EXPECT_EQ(editor->text(), QStringLiteral("57"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the view stores the text and closes the editor
    EXPECT_EQ(list.Cell(1, 2), "57");
    EXPECT_EQ(list.EditingRow(), -1);
    const std::vector<std::string> expected{"click 1,2 at 3,4", "change 1",  "key 1,2 5",
                                            "key 1,2 !",        "key 1,2 7", "key 1,2 \r"};
    EXPECT_EQ(window.log, expected);
    window.log.clear();
    window.refuseClicks = true; // a click the program keeps neither selects nor edits
    ClickCell(list, 2, 0);
    ClickCell(list, 2, 0);
    EXPECT_EQ(list.EditingRow(), -1);
    EXPECT_EQ(window.log, (std::vector<std::string>{"click 2,0 at 3,4", "click 2,0 at 3,4"}));
    // The edited row follows removals above it and the program can commit the edit.
    list.EditCell(2, 1);
    list.RemoveRow(0);
    EXPECT_EQ(list.EditingRow(), 1);
    editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("8"));
    list.CommitEdit();
    EXPECT_EQ(list.Cell(1, 1), "8");
}

} // namespace

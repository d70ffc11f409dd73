#include "input/fingestionepunti.h"
#include "tests/input/readertesting.h"
#include "views/fincontrolpanel.h"
#include <QApplication>
#include <QFontMetrics>
#include <QString>
#include <QTableWidget>
#include <QTest>
#include <QWidget>

namespace {

const std::string kWarning = "Warning! / Attenzione!\rLevel curves will be resolved to points!\r"
                             "Le curve di livello saranno trasformate in punti!";

using Rows = std::vector<readertest::Row>;

class PointList : public ::testing::Test {
protected:
    void SetUp() override {
        globali::lingua = 1;
        globali::scrx = 800;
        globali::scry = 600;
        Inizio::ambiente = 0;
        FincontrolPanel::InstallForProgram();
        readertest::SetSurvey({{{1.5, 10, 100}, {2, 20, 100}, {3, 30, 100}}, {{4, 40, 7.25}, {5, 50, 7.25}}});
    }
    static fingestionepunti& Open() {
        fingestionepunti& window = rt::Instance<fingestionepunti>();
        QApplication::setActiveWindow(window.ContentWidget());
        return window;
    }
    // Clicks a cell, which opens its editor, and types the keys into it.
    static void TypeInCell(fingestionepunti& window, int row, int column, const QString& keys) {
        auto* table = qobject_cast<QTableWidget*>(window.ListBox1.Widget());
        const QRect cell = table->visualRect(table->model()->index(row, column));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        ASSERT_EQ(window.ListBox1.EditingRow(), row);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, keys);
    }
    static void Click(rt::Control& control) { QTest::mouseClick(control.Widget(), Qt::LeftButton); }
};

TEST_F(PointList, OnlyAKeyInAZCellShowsTheWarningAndItsThreeLinesFit) {
    fingestionepunti& window = Open();
    TypeInCell(window, 0, 0, "8");
    TypeInCell(window, 1, 1, "9");
    EXPECT_EQ(window.StaticText4.Text(), "");
    TypeInCell(window, 2, 2, "5");
    EXPECT_TRUE(window.splitting);
    EXPECT_EQ(window.Height(), 406);
    EXPECT_EQ(window.StaticText4.Text(), kWarning);
    const QWidget* warning = window.StaticText4.Widget();
    const QFontMetrics metrics(warning->font());
    for (const QString& line : QString::fromStdString(kWarning).split(QLatin1Char('\r')))
        EXPECT_LE(metrics.horizontalAdvance(line), warning->width()) << line.toStdString();
    EXPECT_LE(3 * metrics.lineSpacing(), warning->height());
    EXPECT_LE(warning->y() + warning->height(), window.Height());
}

TEST_F(PointList, DeleteActsOnlyOnTheSelectedRowAndOkThenGivesEveryPointARowOfItsOwnAndGoesOnTo3D) {
    fingestionepunti& window = Open();
    window.PushButton3_Action();
    EXPECT_EQ(window.ListBox1.ListCount(), 5);
    TypeInCell(window, 1, 0, "");
    Click(window.PushButton3);
    EXPECT_EQ(window.ptotpwin, 3);
    EXPECT_EQ(window.ListBox1.Cell(1, 0), "3");
    EXPECT_FALSE(window.PushButton3.Enabled());
    EXPECT_EQ(window.StaticText4.Text(), kWarning);
    Click(window.PushButton1);
    EXPECT_EQ(globali::py, (std::vector<double>{10, 30, 40, 50}));
    EXPECT_EQ(readertest::Current().rows, (Rows{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(modulodxf::dxfxyz, (std::vector<std::int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(Inizio::ambiente, 2);
}

TEST_F(PointList,
       OkTakesInTheCellBeingEditedReadsDecimalCommasKeepsThePolylinesAndGivesAddedPointsRowsOfTheirOwn) {
    Inizio::ambiente = 1;
    fingestionepunti& window = Open();
    TypeInCell(window, 1, 0, "-6,5");
    window.efx.SetText("1,5");
    window.efy.SetText("2200,25");
    window.efz.SetText("-12,5");
    Click(window.PushButton2);
    EXPECT_EQ(window.ListBox1.Cell(5, 0) + " " + window.ListBox1.Cell(5, 1) + " " +
                  window.ListBox1.Cell(5, 2),
              "1.5 2200.25 -12.5");
    TypeInCell(window, 3, 1, "12");
    window.PushButton1.Push();
    EXPECT_EQ(rt::OpenInstance<fingestionepunti>(), nullptr);
    EXPECT_EQ(globali::px, (std::vector<double>{1.5, -6.5, 3, 4, 5, 1.5}));
    EXPECT_EQ(globali::py, (std::vector<double>{10, 20, 30, 12, 50, 2200.25}));
    EXPECT_EQ(globali::pz, (std::vector<double>{100, 100, 100, 7.25, 7.25, -12.5}));
    EXPECT_EQ(readertest::Current().rows, (Rows{{0, 2}, {3, 1}, {5, 0}}));
    EXPECT_EQ(modulodxf::dxfxyz, (std::vector<std::int32_t>{1, 1, 1, 2, 2, 3}));
    EXPECT_EQ(Inizio::ambiente, 1);
}

TEST_F(PointList, DataLoadedWhileTheListIsOpenIsReplacedByOneRowPerListedPoint) {
    fingestionepunti& window = Open();
    globali::px = globali::py = globali::pz = std::vector<double>(10, 0);
    globali::ptot = 9;
    modulodxf::dxfpn(1, 1) = 9;
    modulodxf::dxfcounter = 1;
    Click(window.PushButton1);
    EXPECT_EQ(globali::px, (std::vector<double>{1.5, 2, 3, 4, 5}));
    EXPECT_EQ(readertest::Current().rows, (Rows{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}));
}

TEST_F(PointList, CancelLeavesTheDataAsItWasAndOkOnAnEmptyListKeepsThePolylineTable) {
    fingestionepunti& window = Open();
    Click(window.PushButton2);
    TypeInCell(window, 0, 2, "3");
    Click(window.PushButton3);
    Click(window.PushButton4);
    EXPECT_EQ(globali::pz, (std::vector<double>{100, 100, 100, 7.25, 7.25}));
    EXPECT_EQ(readertest::Current().rows, (Rows{{0, 2}, {3, 1}}));
    globali::ptot = -1;
    rt::ScriptedDialogs dialogs;
    dialogs.AnswerMessage();
    Click(Open().PushButton1);
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
    EXPECT_EQ(Inizio::ambiente, 0);
    EXPECT_TRUE(globali::px.empty() && modulodxf::dxfxyz.empty());
    EXPECT_EQ(modulodxf::dxfcounter, 2);
}

} // namespace

// Tracing, selecting and deleting in the 2D editor and the tool palette's colours, comma warning and
// real-number field, driven by real presses on the editor and the palette.

#include "input/editfieldnumero.h"
#include "input/pictures2d.h"
#include "rt/runtime.h"
#include "twod_fixture.h"

namespace {

using Editing = TwoD;
using Palette2D = TwoD;

TEST_F(Editing, ASinglePointLandsWhereTheTransformPutsThePress) {
    modulodxf::zmfct = 2;
    modulodxf::xz = 10;
    modulodxf::yz = 20;
    modulodxf::zxmin = 100;
    modulodxf::zymin = 50;
    globali::scry = 600;
    Inizio::mostra2d();
    Tool(4);
    Click(30, 400);
    ASSERT_EQ(globali::ptot, 0);
    EXPECT_EQ(std::tuple(globali::px[0], globali::py[0], Editor().punto(1).Top()), std::tuple(110, 140, 398));
}

TEST_F(Editing, AToolPressEndsAContourAndAOneVertexContourStaysAPoint) {
    Inizio::mostra2d();
    Tool(3);
    Click(10, 10);
    Click(50, 10);
    Tool(3);
    Click(200, 200);
    Tool(1);
    EXPECT_EQ(std::tuple(modulodxf::qlin, modulodxf::qpun, modulodxf::qqpun[1], Editor().puntino.Left()),
              std::tuple(1, 1, 2, -20));
    // A press on an item while tracing adds nothing.
    Tool(3);
    Click(200, 200);
    EXPECT_EQ(globali::ptot, 2);
}

TEST_F(Editing, SelectingSetsThePolylinesHeightAndLeavingTheFieldKeepsTheProgramsText) {
    SetRows({{{0, 0, 4}, {100, 0, 5}, {100, 50, 6}}, {{0, 50, -3.5}}});
    Inizio::mostra2d();
    Click(500, 535);
    EXPECT_EQ(Editor().Linea(2).BorderColor(), kSelected);
    EXPECT_EQ(globali::pz, (std::vector<double>{4, 4, 4, -3.5}));
    // The cleaning would change "-3.5", but the program wrote it.
    Click(10, 85);
    ASSERT_TRUE(QTest::qWaitFor([] { return Palette().z_efield.HasFocus(); }, 5000));
    Palette().s_efield.SetEnabled(true);
    Palette().s_efield.SetFocus();
    EXPECT_EQ(globali::pz[3], -3.5);
    Tool(4);
    EXPECT_EQ(Editor().punto(1).FillColor(), kPlain);
    EXPECT_EQ(modulodxf::selpre[0], 1);
    EXPECT_FALSE(Palette().BevelBut(5).Enabled());
}

TEST_F(Editing, DeletingRemovesOnlyAShownSelectionAndRenumbersTheRowsAfterIt) {
    SetRows(
        {{{0, 0, 1}}, {{0, 10, 2}, {50, 10, 2}, {100, 10, 2}}, {{0, 50, 3}, {100, 50, 3}}, {{100, 0, 4}}});
    Inizio::mostra2d();
    Click(460, 445);
    ASSERT_EQ(modulodxf::selnow, 2);
    Tool(5);
    EXPECT_FALSE(Editor().Linea(2).Visible());
    EXPECT_EQ(std::tuple(globali::ptot, modulodxf::dxfcounter), std::tuple(3, 3));
    EXPECT_EQ(modulodxf::qqlin(3, 0), 2);
    EXPECT_EQ(modulodxf::qqpun[2], 3);
    // Withdrawn by another tool, the selection is no longer deleted.
    Click(460, 85);
    Tool(4);
    Tool(1);
    Palette().BevelBut(5).SetEnabled(true);
    Tool(5);
    EXPECT_EQ(modulodxf::dxfcounter, 3);
    EXPECT_TRUE(Editor().Linea(3).Visible());
}

TEST_F(Editing, HeightsGoOnlyWhereTheUserSeesThem) {
    SetRows({{{0, 0, 1}}, {{100, 100, 2}}});
    Inizio::mostra2d();
    Palette().z_efield.SetEnabled(true);
    Palette().z_efield.Type("9");
    Tool(4);
    Palette().z_efield.SetEnabled(true);
    Palette().z_efield.SetText("8");
    Palette().z_efield.SetEnabled(false);
    Palette().z_efield.SetText("6");
    EXPECT_EQ(globali::pz, (std::vector<double>{1, 8}));
}

TEST_F(Editing, TheHeightTheProgramProposesIsSelectedSoTypingReplacesIt) {
    SetRows({{{0, 0, 120}, {100, 50, 120}}});
    Inizio::mostra2d();
    Click(460, 310);
    TypeKeys(Palette().z_efield, "130");
    EXPECT_EQ(globali::pz, (std::vector<double>{130, 130}));
}

TEST_F(Editing, AFinishedContourKeepsItsHeightsUntilTheNextOneStarts) {
    Inizio::mostra2d();
    Tool(3);
    Click(10, 10);
    Click(50, 10);
    TypeKeys(Palette().z_efield, "40");
    Tool(3);
    TypeKeys(Palette().z_efield, "99");
    Click(200, 200);
    EXPECT_EQ(globali::pz, (std::vector<double>{40, 40, 0}));
    EXPECT_EQ(Palette().z_efield.Text(), "");
}

TEST_F(Editing, AfterTheReferenceTheLengthFieldHasTheFocusAndTypingReplacesTheMeasuredLength) {
    Inizio::mostra2d();
    Palette().BevelBut(2).SetEnabled(true);
    Tool(2);
    Click(100, 100);
    Click(400, 500);
    TypeKeys(Palette().s_efield, "250");
    EXPECT_EQ(Palette().s_efield.Text(), "250");
    EXPECT_EQ(modulodxf::zmfct, 2.0);
}

TEST_F(Palette2D, OpensWithTheSelectToolAndKeepsThePhase) {
    Inizio::fasemom = 1;
    EXPECT_TRUE(Palette().BevelBut(1).Icon() == ib1copia());
    EXPECT_EQ(Inizio::fasemom, 1);
}

TEST_F(Palette2D, ANewColourRepaintsTheItemsAndTheShownSelection) {
    SetRows({{{0, 0, 0}}, {{100, 50, 0}}, {{0, 50, 0}, {100, 0, 0}}});
    Inizio::mostra2d();
    Click(10, 535);
    rt::ScriptedDialogs dialogs;
    dialogs.AnswerColor(0x123456);
    dialogs.AnswerColor(std::nullopt);
    QTest::mouseClick(Palette().ContentWidget(), Qt::LeftButton, {}, QPoint(24, 385));
    EXPECT_EQ(dialogs.Requests().at(0).color, kPlain);
    EXPECT_EQ(Editor().punto(2).FillColor(), 0x123456u);
    EXPECT_EQ(Editor().Linea(1).BorderColor(), 0x123456u);
    EXPECT_EQ(Editor().punto(1).FillColor(), kSelected);
    QTest::mouseClick(Palette().ContentWidget(), Qt::LeftButton, {}, QPoint(56, 385));
    EXPECT_EQ(Inizio::gammasisel, kSelected);
}

TEST_F(Palette2D, ACommaBeepsTheHeightsFollowEveryKeyAndAPressInTheEditorTakesTheNumberWhole) {
    SetRows({{{0, 0, 0}, {100, 50, 0}}});
    Inizio::mostra2d();
    Click(460, 310);
    const std::int32_t beeps = rt::BeepCount();
    TypeKeys(Palette().z_efield, "12,5");
    EXPECT_EQ(rt::BeepCount(), beeps + 1);
    EXPECT_EQ(globali::pz, (std::vector<double>{12, 12}));
    Click(300, 100);
    EXPECT_EQ(globali::pz, (std::vector<double>{12.5, 12.5}));
}

TEST(EditFieldNumero, CleansToANonNegativeDecimalNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "0"},    {"12,5", "12.5"},     {"-12.5", "12.5"}, {"1e3", "13"}, {"1 000", "1000"},
        {"abc", "0"}, {"1,234.5", "1.234"}, {"\xd9\xa3", "0"}, {"...", "0"},  {"7", "7"}};
    for (const auto& [typed, shown] : cases)
        EXPECT_EQ(EditFieldNumero::Clean(typed), shown) << typed;
}

} // namespace

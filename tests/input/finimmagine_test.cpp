// The tool palette's opening, its colour swatches and comma warning, and the real-number field's
// cleaning on leaving.

#include "input/editfieldnumero.h"
#include "input/pictures2d.h"
#include "rt/dialogs.h"
#include "rt/runtime.h"
#include "twod_fixture.h"

namespace {

using Palette2D = TwoD;

TEST_F(Palette2D, OpensWithTheSelectToolInTheUsersLanguageAndKeepsThePhase) {
    globali::lingua = 2;
    Inizio::fasemom = 1;
    EXPECT_EQ(Palette().Title() + "|" + Palette().StaticText1.Text(), "Traccia|Riferimento");
    EXPECT_EQ(Inizio::fasemom, 1);
    EXPECT_TRUE(Palette().BevelBut(1).Icon() == ib1copia());
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

TEST_F(Palette2D, ACommaBeepsAndTheHeightsFollowEveryKey) {
    SetRows({{{0, 0, 0}, {100, 50, 0}}});
    Inizio::mostra2d();
    Click(460, 310);
    const std::int32_t beeps = rt::BeepCount();
    Palette().z_efield.SetText("");
    Palette().z_efield.Type("12,5");
    EXPECT_EQ(rt::BeepCount(), beeps + 1);
    EXPECT_EQ(globali::pz, (std::vector<double>{12, 12}));
    ASSERT_TRUE(QTest::qWaitFor([] { return Palette().z_efield.HasFocus(); }, 5000));
    Palette().s_efield.SetEnabled(true);
    Palette().s_efield.SetFocus();
    EXPECT_EQ(globali::pz, (std::vector<double>{12.5, 12.5}));
}

TEST(EditFieldNumero, CleansToANonNegativeDecimalNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "0"},    {"12,5", "12.5"},     {"-12.5", "12.5"}, {"1e3", "13"}, {"1 000", "1000"},
        {"abc", "0"}, {"1,234.5", "1.234"}, {"\xd9\xa3", "0"}, {"...", "0"},  {"7", "7"}};
    for (const auto& [typed, shown] : cases)
        EXPECT_EQ(EditFieldNumero::Pulisci(typed), shown) << typed;
}

} // namespace

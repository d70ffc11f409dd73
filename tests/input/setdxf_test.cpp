// The DXF import options window, driven as a user does.

#include "input/setdxf.h"
#include "rt/window.h"
#include "tests/input/readertesting.h"
#include <QTest>

namespace {

using namespace readertest;

void ClickBox(rt::CheckBox& box) {
    QTest::mouseClick(box.Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(6, box.Height() / 2));
}

std::string Shown(const setdxf& window) {
    return window.efprima.Text() + " " + window.efdelta.Text() +
           (window.efprima.Enabled() && window.efdelta.Enabled() ? " on" : " off");
}

// Presses OK with the file dialog answered by the path (nullopt: cancelled).
void PressOk(setdxf& window, const std::optional<std::string>& path) {
    rt::ScriptedDialogs script;
    script.AnswerOpen(path);
    QTest::mouseClick(window.PushButton1.Widget(), Qt::LeftButton);
    EXPECT_EQ(rt::OpenInstance<setdxf>(), nullptr);
}

TEST(SetDxf, EveryOpeningStartsWithoutAutoQuotingAndNoSkip) {
    globali::lingua = 2;
    setdxf& window = rt::Instance<setdxf>();
    EXPECT_EQ(window.Title(), "Importa DXF..");
    ClickBox(window.CheckBox1);
    QTest::keyClick(window.Slider1.Widget(), Qt::Key_Right);
    window.Close();
    setdxf& again = rt::Instance<setdxf>();
    EXPECT_FALSE(again.CheckBox1.Value());
    EXPECT_EQ(Shown(again), "0 0 off");
    EXPECT_EQ(again.Slider1.Value(), 0);
    EXPECT_EQ(again.semplifica, 0);
}

TEST(SetDxf, EachToggleOfAutoQuotingOverwritesTheHeightsAndTheSliderKeepsItsRange) {
    setdxf& window = rt::Instance<setdxf>();
    ClickBox(window.CheckBox1);
    window.efprima.Type("\x08"
                        "250");
    ClickBox(window.CheckBox1);
    EXPECT_EQ(Shown(window), "0 0 off");
    ClickBox(window.CheckBox1);
    EXPECT_EQ(Shown(window), "0 10 on");
    QTest::keyClick(window.Slider1.Widget(), Qt::Key_PageUp);
    QTest::keyClick(window.Slider1.Widget(), Qt::Key_Right);
    EXPECT_EQ(window.Slider1.Value(), 20);
    EXPECT_EQ(window.StaticText5.Text(), "20");
}

TEST(SetDxf, OkReadsTheFileWithTheChosenSkipAndCancellingTheFileDialogChangesNothing) {
    Scratch scratch;
    const std::string path =
        scratch.Write("three.dxf", LwSection("ENTITIES", {{{1, 1, 0}, {2, 2, 0}, {3, 3, 0}},
                                                          {{4, 4, 0}, {5, 5, 0}},
                                                          {{6, 6, 0}, {7, 7, 0}, {8, 8, 0}}}));
    setdxf& window = rt::Instance<setdxf>();
    QTest::keyClick(window.Slider1.Widget(), Qt::Key_Right);
    PressOk(window, path);
    EXPECT_EQ(Current(), Loaded({{1, 1, 0}, {3, 3, 0}, {4, 4, 0}, {6, 6, 0}, {8, 8, 0}},
                                {{0, 1}, {2, 0}, {3, 1}}, {1, 1, 2, 3, 3}));
    SetEarlierData();
    const Survey before = Current();
    PressOk(rt::Instance<setdxf>(), std::nullopt);
    EXPECT_EQ(Current(), before);
}

} // namespace

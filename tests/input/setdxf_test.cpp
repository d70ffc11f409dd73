// The DXF import options window, driven as a user does.

#include <QTest>
#include <gtest/gtest.h>

#include <string>

#include "input/setdxf.h"
#include "model/globali.h"
#include "rt/window.h"
#include "tests/input/readertesting.h"

namespace {

using namespace readertest;

void ClickBox(rt::CheckBox& box) {
    QTest::mouseClick(box.Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(6, box.Height() / 2));
}

struct Fields {
    std::string first, step;
    bool enabled;
    bool operator==(const Fields&) const = default;
};

Fields Shown(const setdxf& window) {
    return {window.efprima.Text(), window.efdelta.Text(),
            window.efprima.Enabled() && window.efdelta.Enabled()};
}

TEST(SetDxf, EveryOpeningStartsWithoutAutoQuotingAndNoSkipInTheInterfaceLanguage) {
    globali::lingua = 1;
    setdxf& window = rt::Instance<setdxf>();
    EXPECT_EQ(window.Title(), "Import DXF..");
    ClickBox(window.CheckBox1);
    QTest::keyClick(window.Slider1.Widget(), Qt::Key_Right);
    window.Close();

    globali::lingua = 2;
    setdxf& again = rt::Instance<setdxf>();
    EXPECT_EQ(again.Title(), "Importa DXF..");
    EXPECT_FALSE(again.CheckBox1.Value());
    EXPECT_EQ(Shown(again), (Fields{"0", "0", false}));
    EXPECT_EQ(again.Slider1.Value(), 0);
    EXPECT_EQ(again.StaticText5.Text(), "0");
    EXPECT_EQ(again.semplifica, 0);
}

TEST(SetDxf, EachToggleOfAutoQuotingOverwritesTheHeights) {
    setdxf& window = rt::Instance<setdxf>();
    ClickBox(window.CheckBox1);
    EXPECT_EQ(Shown(window), (Fields{"0", "10", true}));
    window.efprima.Type("\x08"
                        "250");
    ClickBox(window.CheckBox1);
    EXPECT_EQ(Shown(window), (Fields{"0", "0", false}));
    ClickBox(window.CheckBox1);
    EXPECT_EQ(Shown(window), (Fields{"0", "10", true}));
}

TEST(SetDxf, TheSkipLabelFollowsTheSliderWhichAPageStepMovesAcrossItsRange) {
    setdxf& window = rt::Instance<setdxf>();
    QTest::keyClick(window.Slider1.Widget(), Qt::Key_Right);
    EXPECT_EQ(window.StaticText5.Text(), "1");
    QTest::keyClick(window.Slider1.Widget(), Qt::Key_PageUp);
    EXPECT_EQ(window.Slider1.Value(), 20);
    EXPECT_EQ(window.StaticText5.Text(), "20");
    QTest::keyClick(window.Slider1.Widget(), Qt::Key_Right);
    EXPECT_EQ(window.Slider1.Value(), 20);
}

std::string ThreeContours(Scratch& scratch) {
    return scratch.Write("three.dxf", LwSection("ENTITIES", {{{1, 1, 0}, {2, 2, 0}, {3, 3, 0}},
                                                             {{4, 4, 0}, {5, 5, 0}},
                                                             {{6, 6, 0}, {7, 7, 0}, {8, 8, 0}}}));
}

// Presses OK with the file dialog answered by the path (nullopt: cancelled).
void PressOk(setdxf& window, const std::optional<std::string>& path) {
    rt::ScriptedDialogs script;
    script.AnswerOpen(path);
    QTest::mouseClick(window.PushButton1.Widget(), Qt::LeftButton);
    EXPECT_EQ(rt::OpenInstance<setdxf>(), nullptr);
}

TEST(SetDxf, OkClosesTheWindowAndReadsTheFileWithTheChosenHeightsAndSkip) {
    Scratch scratch;
    const std::string path = ThreeContours(scratch);
    PressOk(rt::Instance<setdxf>(), path);
    ASSERT_EQ(Current().points.size(), 8u);
    for (const Point& p : Current().points)
        EXPECT_EQ(p.z, 0) << "without auto quoting every contour lies at height 0";

    setdxf& window = rt::Instance<setdxf>();
    ClickBox(window.CheckBox1);
    window.efprima.Type("\x08"
                        "100");
    window.efdelta.Type("\x08\x08"
                        "5");
    QTest::keyClick(window.Slider1.Widget(), Qt::Key_Right);
    PressOk(window, path);
    EXPECT_EQ(globali::dxfprima, 100);
    EXPECT_EQ(globali::dxfdelta, 5);
    EXPECT_EQ(Current(), Loaded({{1, 1, 100}, {3, 3, 100}, {4, 4, 105}, {6, 6, 110}, {8, 8, 110}},
                                {{0, 1}, {2, 0}, {3, 1}}, {1, 1, 2, 3, 3}));
}

TEST(SetDxf, CancellingTheFileDialogAfterOkChangesNothing) {
    SetEarlierData();
    const Survey before = Current();
    PressOk(rt::Instance<setdxf>(), std::nullopt);
    EXPECT_EQ(Current(), before);
}

} // namespace

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSlider>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "rt/controlarray.h"
#include "rt/controls.h"
#include "rt/window.h"

namespace {

// An entry field with an event of its own on leaving, as the program's whole-number field has.
class CountingField : public rt::EditField {
public:
    int ownLostFocus = 0;

protected:
    void Event_LostFocus() override { ++ownLostFocus; }
};

class FormWindow : public rt::Window {
public:
    CountingField First;
    rt::EditField Second;
    rt::PushButton Button;
    rt::CheckBox Check;
    rt::ControlArray<rt::RadioButton> Radios;
    rt::Slider Slide;
    rt::ProgressBar Progress;
    rt::StaticText Label;
    rt::BevelButton Bevel;
    rt::Canvas Paper;
    std::vector<std::string> log;

protected:
    void Layout() override {
        SetWidth(400);
        SetHeight(300);
    }
    void CreateControls() override {
        First.TextChange = [this] { log.push_back("change " + First.Text()); };
        First.LostFocus = [this] { log.push_back("lost " + First.Text()); };
        First.Create(*this, 10, 10, 100, 22);
        Second.Create(*this, 10, 40, 100, 22);
        Button.SetCaption("OK");
        Button.Action = [this] { log.push_back("button"); };
        Button.Create(*this, 10, 70, 80, 24);
        Check.SetCaption("Smooth");
        Check.SetValue(true);
        Check.Action = [this] { log.push_back(Check.Value() ? "checked" : "unchecked"); };
        Check.Create(*this, 10, 100, 120, 20);
        Radios.BindHandlers = [this](rt::RadioButton& radio) {
            radio.Action = [this, &radio] { log.push_back("radio " + std::to_string(radio.Index())); };
        };
        Radios.Add(0).Create(*this, 10, 130, 90, 20);
        Radios(0).SetValue(true);
        Radios.Add(1).Create(*this, 10, 154, 90, 20);
        Slide.SetMinimum(5);
        Slide.SetMaximum(50);
        Slide.SetValue(10);
        Slide.ValueChanged = [this] { log.push_back("slider " + std::to_string(Slide.Value())); };
        Slide.Create(*this, 150, 10, 140, 16);
        Progress.Create(*this, 150, 40, 140, 12);
        Label.SetText("one\rtwo");
        Label.Create(*this, 150, 60, 140, 40);
        Bevel.Action = [this] { log.push_back("bevel"); };
        Bevel.Create(*this, 150, 110, 65, 40);
        Paper.Create(*this, 300, 200, 40, 30);
    }
};

QLineEdit* LineOf(rt::EditField& field) {
    return qobject_cast<QLineEdit*>(field.Widget());
}

TEST(EditFieldTest, SettingTextRunsTextChangeEvenWhenUnchanged) {
    FormWindow& window = rt::Instance<FormWindow>();
    window.First.SetText("12");
    window.First.SetText("12");
    EXPECT_EQ(window.log, (std::vector<std::string>{"change 12", "change 12"}));
    EXPECT_EQ(LineOf(window.First)->text(), QStringLiteral("12"));
}

TEST(EditFieldTest, KeyDownRunsBeforeTheKeyReachesTheFieldAndCanConsumeIt) {
    FormWindow& window = rt::Instance<FormWindow>();
    std::vector<std::string> seen;
    window.First.KeyDown = [&](const std::string& key) {
        seen.push_back(key + "|" + window.First.Text());
        return key == ",";
    };
    window.First.Type("1,5");
    EXPECT_EQ(seen, (std::vector<std::string>{"1|", ",|1", "5|1"}));
    EXPECT_EQ(window.First.Text(), "15");
    EXPECT_EQ(window.log, (std::vector<std::string>{"change 1", "change 15"}));

    QTest::keyClick(LineOf(window.First), Qt::Key_Backspace);
    EXPECT_EQ(seen.back(), "\x08|15");
    EXPECT_EQ(window.First.Text(), "1");
}

TEST(EditFieldTest, MaximumCharactersLimitsTypingButNotTheProgram) {
    FormWindow& window = rt::Instance<FormWindow>();
    window.First.SetMaximumCharacters(3);
    window.First.Type("12345");
    EXPECT_EQ(window.First.Text(), "123");
    QTest::keyClick(LineOf(window.First), Qt::Key_Backspace);
    window.First.Type("9");
    EXPECT_EQ(window.First.Text(), "129");

    QApplication::clipboard()->setText(QStringLiteral("7777"));
    LineOf(window.First)->selectAll();
    QTest::keySequence(LineOf(window.First), QKeySequence::Paste);
    EXPECT_EQ(window.First.Text(), "777");

    window.First.SetText("1000");
    EXPECT_EQ(window.First.Text(), "1000");
    EXPECT_EQ(LineOf(window.First)->text(), QStringLiteral("1000"));
}

TEST(EditFieldTest, LeavingTheFieldRunsLostFocusAndTheSubclassEvent) {
    FormWindow& window = rt::Instance<FormWindow>();
    QApplication::setActiveWindow(window.ContentWidget());
    window.First.SetFocus();
    ASSERT_TRUE(window.First.HasFocus());
    window.First.Type("7");
    window.Second.SetFocus();
    EXPECT_TRUE(window.Second.HasFocus());
    EXPECT_EQ(window.First.ownLostFocus, 1);
    EXPECT_EQ(window.log.back(), "lost 7");
}

TEST(ButtonsTest, ClicksRunActionsOnlyWhenEnabled) {
    FormWindow& window = rt::Instance<FormWindow>();
    QTest::mouseClick(window.Button.Widget(), Qt::LeftButton);
    window.Button.SetEnabled(false);
    QTest::mouseClick(window.Button.Widget(), Qt::LeftButton);
    window.Button.Push();
    EXPECT_EQ(window.log, (std::vector<std::string>{"button"}));
}

TEST(ButtonsTest, BevelClickRunsActionWithoutTogglingItsValue) {
    FormWindow& window = rt::Instance<FormWindow>();
    auto* button = qobject_cast<QAbstractButton*>(window.Bevel.Widget());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(window.Bevel.Value());
    EXPECT_FALSE(button->isChecked());
    window.Bevel.SetValue(true);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(window.Bevel.Value());
    EXPECT_TRUE(button->isChecked());
    EXPECT_EQ(window.log, (std::vector<std::string>{"bevel", "bevel"}));
}

TEST(ButtonsTest, CheckBoxRunsActionWhenItsValueChanges) {
    FormWindow& window = rt::Instance<FormWindow>();
    EXPECT_TRUE(window.Check.Value());
    window.Check.SetValue(true);
    window.Check.SetValue(false);
    QTest::mouseClick(window.Check.Widget(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(6, window.Check.Widget()->height() / 2));
    EXPECT_TRUE(window.Check.Value());
    EXPECT_EQ(window.log, (std::vector<std::string>{"unchecked", "checked"}));
}

TEST(ButtonsTest, RadioButtonsOfAWindowFormOneGroup) {
    FormWindow& window = rt::Instance<FormWindow>();
    EXPECT_TRUE(window.Radios(0).Value());
    QTest::mouseClick(window.Radios(1).Widget(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(6, window.Radios(1).Widget()->height() / 2));
    EXPECT_TRUE(window.Radios(1).Value());
    EXPECT_FALSE(window.Radios(0).Value());
    window.Radios(0).SetValue(true);
    EXPECT_FALSE(window.Radios(1).Value());
    EXPECT_EQ(window.log, (std::vector<std::string>{"radio 1"}));
}

TEST(SliderTest, ValueIsClampedAndChangesAreReported) {
    FormWindow& window = rt::Instance<FormWindow>();
    window.Slide.SetValue(10);
    window.Slide.SetValue(70);
    window.Slide.SetValue(-3);
    EXPECT_EQ(window.Slide.Value(), 5);
    EXPECT_EQ(qobject_cast<QSlider*>(window.Slide.Widget())->value(), 5);
    EXPECT_EQ(window.log, (std::vector<std::string>{"slider 50", "slider 5"}));
    QTest::keyClick(window.Slide.Widget(), Qt::Key_Right);
    EXPECT_EQ(window.Slide.Value(), 6);
}

TEST(ProgressBarTest, KeepsTheValueAsGivenAndShowsItClamped) {
    FormWindow& window = rt::Instance<FormWindow>();
    auto* bar = qobject_cast<QProgressBar*>(window.Progress.Widget());
    window.Progress.SetMaximum(100);
    window.Progress.SetValue(140);
    EXPECT_EQ(window.Progress.Value(), 140);
    EXPECT_EQ(bar->value(), 100);
    window.Progress.SetValue(-5);
    EXPECT_EQ(bar->value(), 0);
    window.Progress.SetMaximum(0);
    window.Progress.SetValue(3);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_GT(bar->maximum(), 0) << "an empty range must not turn the bar into a busy indicator";
}

TEST(StaticTextTest, CarriageReturnsShowAsLineBreaks) {
    FormWindow& window = rt::Instance<FormWindow>();
    EXPECT_EQ(window.Label.Text(), "one\rtwo");
    EXPECT_EQ(qobject_cast<QLabel*>(window.Label.Widget())->text(), QStringLiteral("one\ntwo"));
    window.Label.SetHelpTag("ENG: tip\rITA: suggerimento");
    EXPECT_EQ(window.Label.Widget()->toolTip(), QStringLiteral("ENG: tip\nITA: suggerimento"));
}

TEST(CanvasTest, PaintDrawsOverTheBackdropAndMouseEventsReachTheHandlers) {
    FormWindow& window = rt::Instance<FormWindow>();
    rt::Picture backdrop = rt::Picture::New(40, 30);
    backdrop.Graphics().SetForeColor(0x00FF00);
    backdrop.Graphics().FillRect(0, 0, 40, 30);
    window.Paper.SetBackdrop(backdrop);
    window.Paper.Paint = [](rt::Graphics& g) {
        g.SetForeColor(0xFF0000);
        g.FillRect(0, 0, 10, 10);
    };
    const rt::Picture picture = window.DrawIntoPicture();
    EXPECT_EQ(picture.Pixel(305, 205), 0xFF0000u);
    EXPECT_EQ(picture.Pixel(320, 220), 0x00FF00u);

    std::vector<std::string> mouse;
    window.Paper.MouseDown = [&](std::int32_t x, std::int32_t y) {
        mouse.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        return true;
    };
    window.Paper.MouseUp = [&](std::int32_t x, std::int32_t y) {
        mouse.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    };
    QTest::mousePress(window.Paper.Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 4));
    QTest::mouseRelease(window.Paper.Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 9));
    EXPECT_EQ(mouse, (std::vector<std::string>{"down 3,4", "up 8,9"}));
}

TEST(ControlTest, GeometryAndStateSetBeforeCreationAreApplied) {
    class Late : public rt::Window {
    public:
        rt::EditField Field;

    protected:
        void CreateControls() override {
            Field.SetText("x");
            Field.SetVisible(false);
            Field.SetEnabled(false);
            Field.Create(*this, 5, 6, 70, 22);
        }
    };
    Late& window = rt::Instance<Late>();
    QWidget* widget = window.Field.Widget();
    EXPECT_EQ(widget->geometry(), QRect(5, 6, 70, 22));
    EXPECT_FALSE(widget->isVisibleTo(window.ContentWidget()));
    EXPECT_FALSE(widget->isEnabled());
    window.Field.SetVisible(true);
    window.Field.SetLeft(40);
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(widget->x(), 40);
    EXPECT_EQ(LineOf(window.Field)->text(), QStringLiteral("x"));
}

} // namespace

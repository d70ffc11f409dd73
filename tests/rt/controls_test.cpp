#include "rt/controlarray.h"
#include "rt/controls.h"
#include "rt/window.h"
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QPalette>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

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
    rt::EditField Second, Last;
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
        SetBackColor(0xFFFFFF);
    }
    void CreateControls() override {
        First.TextChange = [this] { log.push_back("change " + First.Text()); };
        First.LostFocus = [this] { log.push_back("lost " + First.Text()); };
        First.Create(*this, 10, 10, 100, 22);
        Second.Create(*this, 10, 40, 100, 22);
        Button.Action = [this] { log.push_back("button"); };
        Button.Create(*this, 10, 70, 80, 24);
        Check.SetValue(true);
        Check.Action = [this] { log.push_back(Check.Value() ? "checked" : "unchecked"); };
        Check.Create(*this, 10, 100, 120, 20);
        Radios.BindHandlers = [this](rt::RadioButton& radio) {
            radio.Action = [this, &radio] { log.push_back("radio " + std::to_string(radio.Index())); };
        };
        Radios.Add(0).SetCaption("Lines");
        Radios(0).SetStyle({"arial", 11, true, 0x0000FF});
        Radios(0).SetValue(true);
        Radios(0).Create(*this, 10, 130, 90, 20);
        Slide.SetMinimum(5);
        Slide.SetMaximum(50);
        Slide.ValueChanged = [this] { log.push_back("slider " + std::to_string(Slide.Value())); };
        Slide.Create(*this, 150, 10, 140, 16);
        Progress.Create(*this, 150, 40, 140, 12);
        Label.Create(*this, 150, 60, 140, 40);
        Bevel.Action = [this] { log.push_back("bevel"); };
        Bevel.Create(*this, 150, 110, 65, 40);
        Paper.Create(*this, 300, 200, 40, 30);
        Last.Create(*this, 10, 250, 100, 22);
    }
};

void ClickBox(rt::Control& control) {
    QTest::mouseClick(control.Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(6, control.Height() / 2));
}

TEST(EditFieldTest, KeyDownRunsFirstTextChangeAlwaysAndMaximumCharactersLimitsOnlyTheUser) {
    FormWindow& window = rt::Instance<FormWindow>();
    std::vector<std::string> seen;
    window.First.KeyDown = [&](const std::string& key) {
        seen.push_back(key + "|" + window.First.Text());
        return key == ",";
    };
    window.First.Type("1,5\x08");
    EXPECT_EQ(seen, (std::vector<std::string>{"1|", ",|1", "5|1", "\x08|15"}));
    window.First.SetText("1");
    EXPECT_EQ(window.log, (std::vector<std::string>{"change 1", "change 15", "change 1", "change 1"}));
    auto* line = qobject_cast<QLineEdit*>(window.Second.Widget());
    window.Second.SetMaximumCharacters(3);
    QApplication::clipboard()->setText(QStringLiteral("7777"));
    QTest::keySequence(line, QKeySequence::Paste);
    EXPECT_EQ(window.Second.Text(), "777");
    window.Second.SetText("1000");
    EXPECT_EQ(line->text(), QStringLiteral("1000"));
}

TEST(EditFieldTest, LeavingRunsLostFocusAndTheSubclassEventAndTabPassesOverCanvasesAndBevels) {
    FormWindow& window = rt::Instance<FormWindow>();
    QApplication::setActiveWindow(window.ContentWidget());
    window.First.SetFocus();
    ASSERT_TRUE(window.First.HasFocus());
    window.First.Type("7");
    window.Second.SetFocus();
    EXPECT_EQ(window.First.ownLostFocus, 1);
    EXPECT_EQ(window.log.back(), "lost 7");
    window.Slide.SetFocus();
    QTest::keyClick(window.Slide.Widget(), Qt::Key_Tab);
    QTest::mouseClick(window.Bevel.Widget(), Qt::LeftButton);
    EXPECT_TRUE(window.Last.HasFocus());
}

TEST(ButtonsTest, ActionsRunOnlyWhenEnabledOrChangedRadiosFormOneGroupAndCopiesKeepTheirLook) {
    FormWindow& window = rt::Instance<FormWindow>();
    QTest::mouseClick(window.Button.Widget(), Qt::LeftButton);
    window.Button.SetEnabled(false);
    QTest::mouseClick(window.Button.Widget(), Qt::LeftButton);
    window.Button.Push();
    window.Bevel.SetValue(true);
    QTest::mouseClick(window.Bevel.Widget(), Qt::LeftButton);
    EXPECT_TRUE(window.Bevel.Value());
    window.Check.SetValue(true);
    window.Check.SetValue(false);
    ClickBox(window.Check);
    EXPECT_TRUE(window.Check.Value());
    rt::RadioButton& copy = window.Radios.AddCopy();
    auto* shown = qobject_cast<QAbstractButton*>(copy.Widget());
    EXPECT_EQ(shown->text(), QStringLiteral("Lines"));
    EXPECT_TRUE(shown->font().bold());
    EXPECT_FALSE(copy.Value()) << "the selection is not copied";
    copy.SetTop(160);
    ClickBox(copy);
    EXPECT_FALSE(window.Radios(0).Value());
    EXPECT_EQ(window.log, (std::vector<std::string>{"button", "bevel", "unchecked", "checked", "radio 1"}));
}

// Counts the paint events of the widget it watches.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST(RangeControlsTest, SliderAndProgressBarClampAndRefreshPaintsAChangedBarAtOnce) {
    FormWindow& window = rt::Instance<FormWindow>();
    window.Slide.SetValue(70);
    window.Slide.SetValue(-3);
    QTest::keyClick(window.Slide.Widget(), Qt::Key_Right);
    EXPECT_EQ(window.log, (std::vector<std::string>{"slider 50", "slider 5", "slider 6"}));
    auto* bar = qobject_cast<QProgressBar*>(window.Progress.Widget());
    window.Progress.SetValue(140);
    EXPECT_EQ(bar->value(), 100);
    window.Progress.SetMaximum(0);
    window.Progress.SetValue(3);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_GT(bar->maximum(), 0) << "an empty range must not turn the bar into a busy indicator";
    window.Show();
    QApplication::processEvents();
    window.Progress.SetMaximum(100);
    window.Progress.Refresh();
    PaintCounter counter;
    bar->installEventFilter(&counter);
    window.Progress.Refresh();
    EXPECT_EQ(counter.paints, 0) << "nothing changed";
    window.Progress.SetValue(31);
    window.Progress.Refresh();
    EXPECT_GT(counter.paints, 0);
    bar->removeEventFilter(&counter);

    // The filled share of the bar, read along its middle row.
    const QImage shown = bar->grab().toImage();
    const QRgb empty = shown.pixel(shown.width() - 3, shown.height() / 2);
    int filled = 0;
    for (int x = 0; x < shown.width(); ++x)
        filled += shown.pixel(x, shown.height() / 2) != empty ? 1 : 0;
    EXPECT_NEAR(filled, shown.width() * 31 / 100, 2);
}

// Pixels of the window's content that are not its white back colour, in a rectangle.
int InkIn(const rt::Picture& picture, int left, int top, int width, int height) {
    int ink = 0;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            ink += picture.Pixel(x, y) != 0xFFFFFFu ? 1 : 0;
    return ink;
}

TEST(StaticTextTest, OneLineLabelsClipAndDisabledTextIsGreyed) {
    FormWindow& window = rt::Instance<FormWindow>();
    rt::StaticText& label = window.Label;
    label.SetStyle({"arial", 12, true, 0x800000});
    label.SetText("Distance factor");
    label.SetWidth(50);
    EXPECT_EQ(InkIn(window.DrawIntoPicture(), 150, 76, 140, 24), 0) << "a one-line label wrapped";
    label.SetMultiline(true);
    EXPECT_GT(InkIn(window.DrawIntoPicture(), 150, 76, 140, 24), 0);
    EXPECT_TRUE(label.Widget()->font().bold());
    const QPalette palette = label.Widget()->palette();
    EXPECT_EQ(palette.color(QPalette::Active, QPalette::WindowText), QColor(0x80, 0, 0));
    EXPECT_NE(palette.color(QPalette::Disabled, QPalette::WindowText), QColor(0x80, 0, 0));
}

} // namespace

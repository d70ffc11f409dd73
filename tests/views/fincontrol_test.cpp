#include "views/fincontrol.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/resources.h"
#include "model/globali.h"
#include "rt/runtime.h"
#include "rt/window.h"

namespace {

std::string Tag(const std::string& english, const std::string& italian) {
    return english + "\r" + italian;
}

class ControlPanel : public ::testing::Test {
protected:
    void SetUp() override {
        rt::CloseIfOpen<fincontrol>();
        globali::lingua = 1;
    }
    void TearDown() override { rt::CloseIfOpen<fincontrol>(); }

    // Makes the panel the active window so that focus moves between its fields as for a user.
    static fincontrol& ActivePanel() {
        fincontrol& panel = rt::Instance<fincontrol>();
        QWidget* top = panel.XEditField.Widget()->window();
        top->show();
        top->activateWindow();
        QApplication::setActiveWindow(top);
        QCoreApplication::processEvents();
        return panel;
    }

    // Clicks into the field, as far as the keyboard focus goes.
    static void FocusOn(rt::Control& control) {
        control.Widget()->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
    }

    // Types the characters as key presses and releases into the focused widget.
    static void Keys(const std::string& text) {
        for (const char c : text) {
            QWidget* target = QApplication::focusWidget();
            ASSERT_NE(target, nullptr);
            const int key = QChar(c).toUpper().unicode();
            const QString typed(QChar::fromLatin1(c));
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, typed);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, typed);
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
        QCoreApplication::processEvents();
    }

    // Types into the X field, then moves to the Y field, and returns what the X field shows.
    static std::string LeaveXAfterTyping(fincontrol& panel, const std::string& text) {
        panel.XEditField.SetText("");
        FocusOn(panel.XEditField);
        Keys(text);
        FocusOn(panel.YEditField);
        return panel.XEditField.Text();
    }
};

TEST_F(ControlPanel, FreshPanelShowsItsInitialValues) {
    fincontrol& panel = rt::Instance<fincontrol>();
    EXPECT_EQ(panel.Title(), "Control");
    EXPECT_EQ(panel.Left(), 4);
    EXPECT_EQ(panel.Top(), 42);
    EXPECT_EQ(panel.Width(), 160);
    EXPECT_EQ(panel.Height(), 398);
    EXPECT_TRUE(panel.Visible());

    EXPECT_EQ(panel.ProgressBar1.Maximum(), 100);
    EXPECT_EQ(panel.ProgressBar1.Value(), 0);
    EXPECT_EQ(panel.Slider1.Minimum(), 5);
    EXPECT_EQ(panel.Slider1.Maximum(), 50);
    EXPECT_EQ(panel.Slider1.Value(), 10);
    EXPECT_EQ(panel.Slider2.Minimum(), 0);
    EXPECT_EQ(panel.Slider2.Maximum(), 14);
    EXPECT_EQ(panel.Slider2.Value(), 0);
    EXPECT_EQ(panel.StaticText4.Text(), "1");
    EXPECT_EQ(panel.StaticText6.Text(), "0");
    EXPECT_EQ(panel.IngStaticText.Text(), "0, 0, 0");
    EXPECT_EQ(panel.StaticText3.Text(), "Mesh (dX,dY,dZ)");
    EXPECT_TRUE(panel.CheckBox1.Value());
    EXPECT_FALSE(panel.CheckBox2.Value());
    EXPECT_TRUE(panel.RadioB(0).Value());
    EXPECT_FALSE(panel.RadioB(1).Value());
    EXPECT_EQ(panel.XEditField.Text(), "");
    EXPECT_EQ(panel.YEditField.Text(), "");
    EXPECT_EQ(panel.PushButton1.Caption(), "Create Mesh 3D");
    EXPECT_EQ(panel.StaticText5.Text(), "Distance factor");
    EXPECT_EQ(panel.StaticText7.Text(), "Level curves 3d");
    EXPECT_EQ(panel.StaticText2.Text(), "X Points");
    EXPECT_EQ(panel.StaticText1.Text(), "Y Points");
    EXPECT_EQ(panel.CheckBox1.Caption(), "Smooth GDL 3D");
    EXPECT_EQ(panel.CheckBox2.Caption(), "Method B");
    EXPECT_EQ(panel.PushButton2.Caption(), "2 D");
    EXPECT_EQ(panel.RadioB(0).Caption(), "OpenGL3D");
    EXPECT_EQ(panel.RadioB(1).Caption(), "Ambrelix");
    EXPECT_EQ(panel.color3d.FillColor(), 0x999999u);
    EXPECT_EQ(panel.color3d.BorderColor(), 0x00FFFFu);
    EXPECT_EQ(panel.color3d.BorderWidth(), 2);
    EXPECT_EQ(panel.Rectangle1.FillColor(), 0xCCCCCCu);
    EXPECT_EQ(panel.Rectangle1.BorderWidth(), 0);
}

TEST_F(ControlPanel, ViewButtonsAndCanvasesShowTheResourcePictures) {
    fincontrol& panel = rt::Instance<fincontrol>();
    ASSERT_EQ(panel.BevelBut.Count(), 4);
    ASSERT_TRUE(Picture1() && mesh35x24());
    EXPECT_EQ(panel.BevelBut(0).Icon(), Picture1());
    EXPECT_EQ(panel.BevelBut(1).Icon(), Picture2());
    EXPECT_EQ(panel.BevelBut(2).Icon(), Picture3());
    EXPECT_EQ(panel.BevelBut(3).Icon(), Picture4());
    EXPECT_FALSE(panel.BevelBut(3).Value());
    EXPECT_EQ(panel.Canvas2.Backdrop(), mesh35x24());
    EXPECT_EQ(panel.Canvas1.Backdrop(), ico2());
    EXPECT_EQ(panel.Canvas3.Backdrop(), ico1());
}

TEST_F(ControlPanel, HelpTagsCarryBothLanguages) {
    fincontrol& panel = rt::Instance<fincontrol>();
    EXPECT_EQ(panel.XEditField.HelpTag(),
              Tag("ENG: Horizontal nodes of mesh", "ITA: Nodi orizzontali della mesh"));
    EXPECT_EQ(panel.YEditField.HelpTag(),
              Tag("ENG: Vertical nodes of mesh", "ITA: Nodi verticali della mesh"));
    EXPECT_EQ(panel.PushButton1.HelpTag(),
              Tag("ENG: Creates 3D Mesh", "ITA: Genera la Mesh tridimensionale"));
    EXPECT_EQ(panel.Slider1.HelpTag(),
              Tag("ENG: Modify calculation method", "ITA: Variazione del metodo di calcolo"));
    EXPECT_EQ(panel.CheckBox1.HelpTag(),
              Tag("ENG: Smooth edges for gdl output", "ITA: Arrotonda i nodi dell'output gdl"));
    EXPECT_EQ(panel.BevelBut(0).HelpTag(), Tag("ENG: View isometric", "ITA: Assonometria isometrica"));
    EXPECT_EQ(panel.BevelBut(1).HelpTag(), Tag("ENG: View monometric", "ITA: Assonometria militare"));
    EXPECT_EQ(panel.BevelBut(2).HelpTag(), Tag("ENG: View dimetric", "ITA: Assonometria cavaliera"));
    EXPECT_EQ(panel.BevelBut(3).HelpTag(), Tag("ENG: Top view", "ITA: Vista dall'alto"));
    EXPECT_EQ(panel.PushButton2.HelpTag(),
              Tag("ENG: Go to 2D editing window", "ITA: Vai alla finestra di elaborazioni 2D"));
    EXPECT_EQ(panel.CheckBox2.HelpTag(), Tag("ENG: Choose method B", "ITA: Sceglie in metodo B"));
    EXPECT_EQ(panel.RadioB(0).HelpTag(), Tag("ENG: Navigate 3D with OpenGL", "ITA: Orbita il 3D con OperGL"));
    EXPECT_EQ(panel.RadioB(1).HelpTag(),
              Tag("ENG: View with built-in engine", "ITA: Visualizza col motore interno"));
    EXPECT_EQ(panel.color3d.HelpTag(),
              Tag("ENG: choose color for drawing", "ITA: scegli il colore del disegno"));
    EXPECT_EQ(panel.Slider2.HelpTag(),
              Tag("ENG: Show or hide level curves", "ITA: Mostra o nasconde le curve di livello"));
    EXPECT_EQ(panel.StaticText1.HelpTag(), "");
    EXPECT_EQ(panel.IngStaticText.HelpTag(), "");
    EXPECT_EQ(panel.Canvas2.HelpTag(), "");
}

TEST_F(ControlPanel, ItalianCaptionsForEveryOtherLanguageValue) {
    for (const std::int32_t lingua : {2, 0, 7}) {
        rt::CloseIfOpen<fincontrol>();
        globali::lingua = lingua;
        fincontrol& panel = rt::Instance<fincontrol>();
        EXPECT_EQ(panel.Title(), "Controlli") << lingua;
        EXPECT_EQ(panel.PushButton1.Caption(), "Crea Mesh 3D");
        EXPECT_EQ(panel.StaticText5.Text(), "Fattore distanza");
        EXPECT_EQ(panel.StaticText7.Text(), "Curve di livello 3d");
        EXPECT_EQ(panel.StaticText2.Text(), "Nodi X");
        EXPECT_EQ(panel.StaticText1.Text(), "Nodi Y");
        EXPECT_EQ(panel.CheckBox1.Caption(), "GDL 3D Smussato");
        EXPECT_EQ(panel.CheckBox2.Caption(), "Metodo B");
        EXPECT_EQ(panel.StaticText3.Text(), "Mesh (dX,dY,dZ)");
        EXPECT_EQ(panel.PushButton2.Caption(), "2 D");
        EXPECT_EQ(panel.RadioB(1).Caption(), "Ambrelix");
    }
}

TEST_F(ControlPanel, OnePanelUntilClosedThenAFreshOne) {
    fincontrol& panel = rt::Instance<fincontrol>();
    EXPECT_EQ(&rt::Instance<fincontrol>(), &panel);
    panel.Slider1.SetValue(30);
    panel.Slider2.SetValue(9);
    panel.CheckBox1.SetValue(false);
    panel.CheckBox2.SetValue(true);
    panel.RadioB(1).SetValue(true);
    panel.IngStaticText.SetText("1, 2, 3");
    panel.XEditField.SetText("45");
    panel.ProgressBar1.SetValue(70);
    panel.Close();
    EXPECT_EQ(rt::OpenInstance<fincontrol>(), nullptr);

    fincontrol& fresh = rt::Instance<fincontrol>();
    EXPECT_EQ(fresh.Slider1.Value(), 10);
    EXPECT_EQ(fresh.Slider2.Value(), 0);
    EXPECT_TRUE(fresh.CheckBox1.Value());
    EXPECT_FALSE(fresh.CheckBox2.Value());
    EXPECT_TRUE(fresh.RadioB(0).Value());
    EXPECT_FALSE(fresh.RadioB(1).Value());
    EXPECT_EQ(fresh.IngStaticText.Text(), "0, 0, 0");
    EXPECT_EQ(fresh.XEditField.Text(), "");
    EXPECT_EQ(fresh.ProgressBar1.Value(), 0);
    EXPECT_EQ(fresh.StaticText4.Text(), "1");
    EXPECT_EQ(fresh.StaticText6.Text(), "0");
}

TEST_F(ControlPanel, LeavingAGridSizeFieldKeepsOnlyItsDigits) {
    fincontrol& panel = ActivePanel();
    EXPECT_EQ(LeaveXAfterTyping(panel, "-12"), "12");
    EXPECT_EQ(LeaveXAfterTyping(panel, "3.7"), "37");
    EXPECT_EQ(LeaveXAfterTyping(panel, "1,5"), "15");
    EXPECT_EQ(LeaveXAfterTyping(panel, "abc"), "0");
    EXPECT_EQ(LeaveXAfterTyping(panel, ""), "0");
    EXPECT_EQ(LeaveXAfterTyping(panel, "007"), "7");
    EXPECT_EQ(LeaveXAfterTyping(panel, "40"), "40");
}

TEST_F(ControlPanel, TheYFieldFollowsTheSameRule) {
    fincontrol& panel = ActivePanel();
    FocusOn(panel.YEditField);
    Keys("+08");
    FocusOn(panel.XEditField);
    EXPECT_EQ(panel.YEditField.Text(), "8");
}

TEST_F(ControlPanel, TheRuleAppliesToTextPutThereByTheProgram) {
    fincontrol& panel = ActivePanel();
    panel.XEditField.SetText(" 1e5 x-2");
    FocusOn(panel.XEditField);
    const std::uint64_t yields = rt::YieldCount();
    FocusOn(panel.YEditField);
    EXPECT_EQ(panel.XEditField.Text(), "152");
    EXPECT_GE(rt::YieldCount() - yields, 8u); // once per character examined
}

TEST_F(ControlPanel, AFourthTypedCharacterIsRefused) {
    fincontrol& panel = ActivePanel();
    panel.XEditField.SetText("");
    FocusOn(panel.XEditField);
    Keys("1234");
    EXPECT_EQ(panel.XEditField.Text(), "123");
    FocusOn(panel.YEditField);
    Keys("98765");
    EXPECT_EQ(panel.YEditField.Text(), "987");
}

TEST_F(ControlPanel, AFieldThatKeepsTheFocusIsLeftAsTyped) {
    fincontrol& panel = ActivePanel();
    panel.XEditField.SetText("");
    FocusOn(panel.XEditField);
    Keys("-5");
    EXPECT_EQ(panel.XEditField.Text(), "-5");
}

} // namespace

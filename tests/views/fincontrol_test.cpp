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
#include "rt/window.h"

namespace {

class ControlPanel : public ::testing::Test {
protected:
    void SetUp() override {
        rt::CloseIfOpen<fincontrol>();
        globali::lingua = 1;
    }
    void TearDown() override { rt::CloseIfOpen<fincontrol>(); }

    // The panel as the active window, so that focus moves between its fields as for a user.
    static fincontrol& ActivePanel() {
        fincontrol& panel = rt::Instance<fincontrol>();
        QWidget* top = panel.XEditField.Widget()->window();
        top->show();
        top->activateWindow();
        QApplication::setActiveWindow(top);
        QCoreApplication::processEvents();
        return panel;
    }

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

    static void ExpectInitialValues(fincontrol& panel) {
        EXPECT_EQ(panel.Left(), 4);
        EXPECT_EQ(panel.Top(), 42);
        EXPECT_EQ(panel.ProgressBar1.Value(), 0);
        EXPECT_EQ(panel.Slider1.Minimum(), 5);
        EXPECT_EQ(panel.Slider1.Maximum(), 50);
        EXPECT_EQ(panel.Slider1.Value(), 10);
        EXPECT_EQ(panel.Slider2.Maximum(), 14);
        EXPECT_EQ(panel.StaticText4.Text(), "1");
        EXPECT_EQ(panel.StaticText6.Text(), "0");
        EXPECT_EQ(panel.IngStaticText.Text(), "0, 0, 0");
        EXPECT_TRUE(panel.CheckBox1.Value());
        EXPECT_FALSE(panel.CheckBox2.Value());
        EXPECT_TRUE(panel.RadioB(0).Value());
        EXPECT_FALSE(panel.RadioB(1).Value());
        EXPECT_EQ(panel.XEditField.Text(), "");
        EXPECT_EQ(panel.YEditField.Text(), "");
        EXPECT_EQ(panel.color3d.FillColor(), 0x999999u);
        ASSERT_EQ(panel.BevelBut.Count(), 4);
        const rt::Picture views[] = {Picture1(), Picture2(), Picture3(), Picture4()};
        for (std::int32_t k = 0; k < 4; ++k)
            EXPECT_EQ(panel.BevelBut(k).Icon(), views[k]) << "view button " << k;
    }
};

TEST_F(ControlPanel, OpensWithItsInitialValuesEachTime) {
    fincontrol& panel = rt::Instance<fincontrol>();
    ExpectInitialValues(panel);
    EXPECT_EQ(panel.XEditField.HelpTag(), "ENG: Horizontal nodes of mesh\rITA: Nodi orizzontali della mesh");

    panel.Slider1.SetValue(30);
    panel.CheckBox1.SetValue(false);
    panel.RadioB(1).SetValue(true);
    panel.XEditField.SetText("45");
    panel.ProgressBar1.SetValue(70);
    panel.Close();
    EXPECT_EQ(rt::OpenInstance<fincontrol>(), nullptr);
    ExpectInitialValues(rt::Instance<fincontrol>());
}

TEST_F(ControlPanel, CaptionsAreEnglishForLanguageOneAndItalianOtherwise) {
    const std::string english = "Control|Create Mesh 3D|Distance factor|Level curves 3d|X Points|Y Points|"
                                "Smooth GDL 3D|Method B|Mesh (dX,dY,dZ)|2 D|OpenGL3D|Ambrelix";
    const std::string italian = "Controlli|Crea Mesh 3D|Fattore distanza|Curve di livello 3d|Nodi X|Nodi Y|"
                                "GDL 3D Smussato|Metodo B|Mesh (dX,dY,dZ)|2 D|OpenGL3D|Ambrelix";
    for (const std::int32_t lingua : {1, 2, 0, 7}) {
        rt::CloseIfOpen<fincontrol>();
        globali::lingua = lingua;
        fincontrol& p = rt::Instance<fincontrol>();
        const std::string shown =
            p.Title() + "|" + p.PushButton1.Caption() + "|" + p.StaticText5.Text() + "|" +
            p.StaticText7.Text() + "|" + p.StaticText2.Text() + "|" + p.StaticText1.Text() + "|" +
            p.CheckBox1.Caption() + "|" + p.CheckBox2.Caption() + "|" + p.StaticText3.Text() + "|" +
            p.PushButton2.Caption() + "|" + p.RadioB(0).Caption() + "|" + p.RadioB(1).Caption();
        EXPECT_EQ(shown, lingua == 1 ? english : italian) << "language " << lingua;
    }
}

TEST_F(ControlPanel, GridSizeFieldsTakeThreeCharactersAndKeepOnlyTheirDigitsWhenLeft) {
    struct Case {
        const char* typed;
        const char* whileFocused;
        const char* afterLeaving;
    };
    const Case cases[] = {
        {"-12", "-12", "12"}, {"3.7", "3.7", "37"}, {"1,5", "1,5", "15"},
        {"abc", "abc", "0"},  {"", "", "0"},        {"007", "007", "7"},
        {"+08", "+08", "8"},  {"40", "40", "40"},   {"1234", "123", "123"}, // the fourth character is refused
    };
    fincontrol& panel = ActivePanel();
    for (const Case& c : cases) {
        for (const bool x : {true, false}) {
            EditFieldIntero& field = x ? panel.XEditField : panel.YEditField;
            field.SetText("");
            FocusOn(field);
            Keys(c.typed);
            EXPECT_EQ(field.Text(), c.whileFocused) << (x ? "X" : "Y") << " field, typed " << c.typed;
            FocusOn(x ? panel.YEditField : panel.XEditField);
            EXPECT_EQ(field.Text(), c.afterLeaving) << (x ? "X" : "Y") << " field, typed " << c.typed;
        }
    }
}

} // namespace

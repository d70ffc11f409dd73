#include "views/fincontrol.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "model/globali.h"
#include "model/inizio.h"
#include "rt/resourcepicture.h"
#include "rt/window.h"
#include "views/fincontrolpanel.h"

namespace {

class ControlPanel : public ::testing::Test {
protected:
    void SetUp() override { globali::lingua = 1; }
    void TearDown() override { rt::CloseIfOpen<fincontrol>(); }

    // Types the characters as key presses and releases into the focused widget.
    static void Keys(const std::string& text) {
        for (const char c : text) {
            QWidget* target = QApplication::focusWidget();
            ASSERT_NE(target, nullptr);
            const QString typed(QChar::fromLatin1(c));
            QKeyEvent press(QEvent::KeyPress, QChar(c).toUpper().unicode(), Qt::NoModifier, typed);
            QKeyEvent release(QEvent::KeyRelease, QChar(c).toUpper().unicode(), Qt::NoModifier, typed);
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
    }
};

TEST_F(ControlPanel, EachNewPanelStartsFromItsInitialValues) {
    fincontrol& panel = rt::Instance<fincontrol>();
    panel.Slider1.SetValue(30);
    panel.CheckBox1.SetValue(false);
    panel.RadioB(1).SetValue(true);
    panel.XEditField.SetText("45");
    panel.Close();

    fincontrol& fresh = rt::Instance<fincontrol>();
    EXPECT_NE(&fresh, &panel);
    EXPECT_EQ(fresh.Slider1.Value(), 10);
    EXPECT_TRUE(fresh.CheckBox1.Value());
    EXPECT_TRUE(fresh.RadioB(0).Value() && !fresh.RadioB(1).Value());
    EXPECT_EQ(fresh.XEditField.Text(), "");
    EXPECT_TRUE(fresh.BevelBut(3).Icon() && fresh.BevelBut(3).Icon() == rt::ResourcePicture("Picture4"));
}

TEST_F(ControlPanel, CaptionsAreItalianForEveryLanguageButOne) {
    for (const std::int32_t lingua : {1, 2, 0}) {
        rt::CloseIfOpen<fincontrol>();
        globali::lingua = lingua;
        fincontrol& p = rt::Instance<fincontrol>();
        EXPECT_EQ(p.Title() + "|" + p.StaticText2.Text() + "|" + p.CheckBox2.Caption(),
                  lingua == 1 ? "Control|X Points|Method B" : "Controlli|Nodi X|Metodo B");
        EXPECT_EQ(p.StaticText3.Text(), "Mesh (dX,dY,dZ)");
    }
}

TEST_F(ControlPanel, EveryLabelFitsItsTextOnOneLineInBothLanguages) {
    for (const std::int32_t lingua : {1, 2}) {
        rt::CloseIfOpen<fincontrol>();
        globali::lingua = lingua;
        fincontrol& p = rt::Instance<fincontrol>();
        for (const rt::StaticText* label : {&p.StaticText1, &p.StaticText2, &p.StaticText3, &p.IngStaticText,
                                            &p.StaticText4, &p.StaticText5, &p.StaticText6, &p.StaticText7}) {
            const QWidget* widget = label->Widget();
            const QFontMetrics metrics(widget->font());
            const QString text = QString::fromStdString(label->Text());
            EXPECT_LE(metrics.horizontalAdvance(text), widget->width())
                << label->Text() << " in " << QFontInfo(widget->font()).family().toStdString() << " at "
                << QFontInfo(widget->font()).pixelSize() << " px";
            EXPECT_LE(metrics.height(), widget->height()) << label->Text();
        }
    }
}

TEST_F(ControlPanel, GridSizeFieldsTakeThreeCharactersAndKeepOnlyTheirDigitsWhenLeft) {
    const struct {
        const char* typed;
        const char* afterLeaving;
    } cases[] = {{"-12", "12"}, {"3.7", "37"}, {"1,5", "15"},  {"abc", "0"},
                 {"", "0"},     {"007", "7"},  {"1234", "123"}}; // the fourth character is refused
    fincontrol& panel = rt::Instance<fincontrol>();
    QWidget* top = panel.XEditField.Widget()->window();
    top->activateWindow();
    QApplication::setActiveWindow(top);
    for (const auto& c : cases)
        for (const bool x : {true, false}) {
            EditFieldIntero& field = x ? panel.XEditField : panel.YEditField;
            field.SetText("");
            field.Widget()->setFocus(Qt::MouseFocusReason);
            QCoreApplication::processEvents();
            Keys(c.typed);
            (x ? panel.YEditField : panel.XEditField).Widget()->setFocus(Qt::MouseFocusReason);
            QCoreApplication::processEvents();
            EXPECT_EQ(field.Text(), c.afterLeaving) << (x ? "X" : "Y") << " field, typed " << c.typed;
        }
}

TEST_F(ControlPanel, TheTerrainRoutinesReadAndWriteTheOpenPanel) {
    FincontrolPanel::InstallForProgram();
    globali::px = {0, 30, 10};
    globali::py = {0, 15, 5};
    globali::pz = {1, 2, 4};
    globali::ptot = 2;
    fincontrol& panel = rt::Instance<fincontrol>();
    panel.Slider2.SetValue(4);

    Inizio::calcolaingombro();

    EXPECT_EQ(panel.IngStaticText.Text(), "30,  15,  3");
    EXPECT_EQ(panel.YEditField.Text(), "15");
    EXPECT_EQ(panel.ProgressBar1.Value(), 0);
    EXPECT_EQ(TerrainPanel::Current().RibbonSetting(), 4);
    EXPECT_EQ(&rt::Instance<fincontrol>(), &panel);
}

} // namespace

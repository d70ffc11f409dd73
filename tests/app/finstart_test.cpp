#include "app/finstart.h"

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <optional>

#include "app/menu.h"
#include "input/fingestionepunti.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "rt/dialogs.h"
#include "rt/window.h"

namespace {

class StartWindow : public ::testing::Test {
protected:
    void TearDown() override {
        rt::WindowRegistry::DiscardAll();
        globali::lingua = 1;
    }

    static void Press(rt::Control& control) {
        QTest::mouseClick(control.Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    }
};

TEST_F(StartWindow, FlagsSwitchTheLanguageOfTheWindowAndTheMenus) {
    globali::lingua = 0;
    finstart& window = rt::Instance<finstart>();
    EXPECT_EQ(window.Title(), "Scelta iniziale");
    EXPECT_EQ(window.pushbstart(5).Caption(), "ESCI da Ambrelix");

    Press(window.Canvasl(0));

    EXPECT_EQ(globali::lingua, 1);
    EXPECT_EQ(window.Title(), "Starting Choice");
    EXPECT_EQ(window.pushbstart(2).Caption(), "Read points from a TEXT file of X, Y, Z coordinates");
    EXPECT_EQ(FileMenu().Text(), "File");
    EXPECT_TRUE(window.IsOpen());

    Press(window.Canvasl(1));

    EXPECT_EQ(globali::lingua, 2);
    EXPECT_EQ(window.pushbstart(0).Caption(), "Apri immagine (richiede QuickTime) e traccia manualmente");
    EXPECT_EQ(FileMenu().Text(), "Archivio");
}

TEST_F(StartWindow, TheBarUnderAFlagShowsWhileThePointerIsOnIt) {
    finstart& window = rt::Instance<finstart>();
    EXPECT_FALSE(window.Rectsel(0).Visible());
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(window.Canvasl(0).Widget(), &enter);
    EXPECT_TRUE(window.Rectsel(0).Visible());
    EXPECT_FALSE(window.Rectsel(1).Visible());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window.Canvasl(0).Widget(), &leave);
    EXPECT_FALSE(window.Rectsel(0).Visible());
}

TEST_F(StartWindow, AChoiceClosesTheWindowAndStartsItsRoad) {
    globali::ptot = 0;
    Inizio::ambiente = 0;
    rt::ScriptedDialogs dialogs;
    dialogs.AnswerOpen(std::nullopt);

    Press(rt::Instance<finstart>().pushbstart(2));

    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].fileType, "text/plain");
    EXPECT_EQ(rt::OpenInstance<finstart>(), nullptr);
    EXPECT_EQ(Inizio::ambiente, 0) << "a cancelled road changes nothing";
    EXPECT_EQ(globali::ptot, 0);

    Press(rt::Instance<finstart>().pushbstart(1));

    EXPECT_EQ(rt::OpenInstance<finstart>(), nullptr);
    ASSERT_NE(rt::OpenInstance<fingestionepunti>(), nullptr);
    EXPECT_TRUE(rt::OpenInstance<fingestionepunti>()->Visible());
}

} // namespace

#include "app/finstart.h"

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "app/menu.h"
#include "input/fingestionepunti.h"
#include "model/globali.h"
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

TEST_F(StartWindow, FlagsSwitchTheLanguageOfTheWindowAndTheMenusAndShowABarWhileThePointerIsOnThem) {
    globali::lingua = 0;
    finstart& window = rt::Instance<finstart>();
    Press(window.Canvasl(0));
    EXPECT_EQ(globali::lingua, 1);
    EXPECT_EQ(window.Title(), "Starting Choice");
    EXPECT_EQ(FileMenu().Text(), "File");
    EXPECT_TRUE(window.IsOpen());
    Press(window.Canvasl(1));
    EXPECT_EQ(globali::lingua, 2);
    EXPECT_EQ(FileMenu().Text(), "Archivio");
    for (const QEvent::Type type : {QEvent::Enter, QEvent::Leave}) {
        QEvent event(type);
        QApplication::sendEvent(window.Canvasl(0).Widget(), &event);
        EXPECT_EQ(window.Rectsel(0).Visible(), type == QEvent::Enter);
        EXPECT_FALSE(window.Rectsel(1).Visible());
    }
}

TEST_F(StartWindow, ThePointEditorChoiceClosesTheWindowAndOpensTheEditor) {
    Press(rt::Instance<finstart>().pushbstart(1));
    EXPECT_EQ(rt::OpenInstance<finstart>(), nullptr);
    ASSERT_NE(rt::OpenInstance<fingestionepunti>(), nullptr);
    EXPECT_TRUE(rt::OpenInstance<fingestionepunti>()->Visible());
}

} // namespace

// The about window, driven as a user does.

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "app/app.h"
#include "app/finestrainfo.h"
#include "app/startup.h"
#include "model/globali.h"
#include "rt/window.h"

namespace {

class AboutWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ambrelix::NewAppInstance();
        rt::WindowRegistry::RunDeferredOpenings();
    }
    void TearDown() override {
        ambrelix::DiscardAppInstance();
        globali::lingua = 0;
    }

    static finestrainfo& Open() {
        const auto handler = App().MenuHandler("AppleAmbrelixInfo");
        EXPECT_TRUE(handler && !handler());
        finestrainfo* window = rt::OpenInstance<finestrainfo>();
        EXPECT_NE(window, nullptr);
        return *window;
    }

    static bool Underlined(rt::StaticText& label) { return label.Widget()->font().underline(); }
    static void Send(QWidget* widget, QEvent::Type type) {
        QEvent event(type);
        QApplication::sendEvent(widget, &event);
    }
};

TEST_F(AboutWindow, StaysEnglishAndOpenUntilOkOrReturn) {
    globali::lingua = 2;
    finestrainfo& window = Open();
    EXPECT_TRUE(window.Visible());
    EXPECT_EQ(window.Title(), "Ambrelix info");
    EXPECT_EQ(window.StaticText1.Text(), "Ambrelix - v2.6.0 (Universal Binary)");
    EXPECT_EQ(window.PushButton1.Caption(), "OK");

    // No close box: the window manager's close is refused; clicks on the contact line and the
    // picture (with no address to open) leave it open.
    window.ContentWidget()->close();
    QTest::mouseClick(window.StaticText2.Widget(), Qt::LeftButton);
    QTest::mouseClick(window.Canvas1.Widget(), Qt::LeftButton);
    EXPECT_EQ(rt::OpenInstance<finestrainfo>(), &window);

    // The menu command shows the same window again.
    EXPECT_EQ(&Open(), &window);
    QTest::keyClick(window.ContentWidget(), Qt::Key_Return);
    EXPECT_EQ(rt::OpenInstance<finestrainfo>(), nullptr);

    Open().PushButton1.Push();
    EXPECT_EQ(rt::OpenInstance<finestrainfo>(), nullptr);
}

TEST_F(AboutWindow, TheContactLineIsUnderlinedWhileThePointerIsOverIt) {
    finestrainfo& window = Open();
    EXPECT_FALSE(Underlined(window.StaticText2));
    Send(window.StaticText2.Widget(), QEvent::Enter);
    EXPECT_TRUE(Underlined(window.StaticText2));
    Send(window.StaticText2.Widget(), QEvent::Leave);
    EXPECT_FALSE(Underlined(window.StaticText2));
}

} // namespace

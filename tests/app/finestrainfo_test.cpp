// The about window, driven as a user does.

#include <QApplication>
#include <QEvent>
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
};

TEST_F(AboutWindow, StaysEnglishAndOpenUntilOkOrReturnAndUnderlinesTheContactLineUnderThePointer) {
    globali::lingua = 2;
    finestrainfo& window = Open();
    EXPECT_TRUE(window.Visible());
    EXPECT_EQ(window.Title(), "Ambrelix info");
    QWidget* contact = window.StaticText2.Widget();
    for (const QEvent::Type type : {QEvent::Enter, QEvent::Leave}) {
        QEvent event(type);
        QApplication::sendEvent(contact, &event);
        EXPECT_EQ(contact->font().underline(), type == QEvent::Enter);
    }
    // No close box: the window manager's close is refused; clicks on the contact line and the
    // picture (with no address to open) leave it open.
    window.ContentWidget()->close();
    QTest::mouseClick(contact, Qt::LeftButton);
    QTest::mouseClick(window.Canvas1.Widget(), Qt::LeftButton);
    EXPECT_EQ(rt::OpenInstance<finestrainfo>(), &window);
    // The menu command shows the same window again.
    EXPECT_EQ(&Open(), &window);
    QTest::keyClick(window.ContentWidget(), Qt::Key_Return);
    EXPECT_EQ(rt::OpenInstance<finestrainfo>(), nullptr);
    Open().PushButton1.Push();
    EXPECT_EQ(rt::OpenInstance<finestrainfo>(), nullptr);
}

} // namespace

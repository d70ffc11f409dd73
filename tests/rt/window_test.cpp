#include "rt/application.h"
#include "rt/runtime.h"
#include "rt/testwindow.h"
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>
#include <utility>

namespace {

using W = TestWindow<0>;
using Other = TestWindow<1>;
using Log = std::vector<std::string>;
Log events;

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        events.clear();
        W::Reset();
        Other::Reset();
        W::layout = [](W& w) {
            events.push_back("layout");
            w.SetWidth(200);
            w.SetHeight(120);
        };
        W::controls = [](W& w) {
            events.push_back("controls");
            w.Box.Create(w, 10, 10, 100, 20);
            w.Ok.Create(w, 10, 40, 100, 24);
        };
        W::open = [](W&) { events.push_back("window open"); };
    }
};

TEST_F(WindowTest, ReachingCreatesOneInstanceOpensAndShowsItUnlessHidden) {
    EXPECT_EQ(rt::OpenInstance<W>(), nullptr) << "looking up never creates";
    W& first = rt::Instance<W>();
    EXPECT_EQ(&rt::Instance<W>(), &first);
    EXPECT_EQ(events, (Log{"layout", "controls", "window open"}));
    EXPECT_TRUE(first.Visible());
    Other::layout = [](Other& w) { w.SetVisibleWhenCreated(false); };
    EXPECT_FALSE(rt::Instance<Other>().Visible());
}

TEST_F(WindowTest, AWindowHiddenRightAfterItsShowingKeepsTheSizeItIsGivenWhileHidden) {
    W& window = rt::Instance<W>();
    window.Hide();
    window.SetWidth(880);
    window.SetHeight(600);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.Width(), 880);
    EXPECT_EQ(window.Height(), 600);
}

TEST_F(WindowTest, CloseFromOwnHandlerDestroysTheWindowAfterTheHandlerAndItComesBackFresh) {
    W& window = rt::Instance<W>();
    window.Box.SetValue(true);
    window.Ok.Action = [&window] {
        window.Close();
        // A handler goes on after closing its own window, yielding meanwhile.
        for (int i = 0; i < 50; ++i)
            rt::RuntimeBackgroundTask();
        QCoreApplication::processEvents();
        events.push_back(W::destroyed == 0 ? "alive after close" : "destroyed too early");
    };
    QTest::mouseClick(window.Ok.Widget(), Qt::LeftButton);
    EXPECT_EQ(events.back(), "alive after close");
    EXPECT_EQ(rt::OpenInstance<W>(), nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(W::destroyed, 1);
    EXPECT_FALSE(rt::Instance<W>().Box.Value());
}

TEST_F(WindowTest, CloseBoxDiscardsOnlyWindowsThatHaveOneAndEachBoxIsSetOnItsOwn) {
    rt::Instance<W>().ContentWidget()->close();
    EXPECT_EQ(rt::OpenInstance<W>(), nullptr);
    Other::layout = [](Other& w) { w.SetCloseButton(false); };
    Other& withoutBox = rt::Instance<Other>();
    withoutBox.ContentWidget()->close();
    EXPECT_EQ(rt::OpenInstance<Other>(), &withoutBox);
    withoutBox.SetMaximizeButton(false);
    const auto boxes =
        Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
    EXPECT_EQ(withoutBox.ContentWidget()->windowFlags() & boxes, Qt::WindowMinimizeButtonHint);
}

TEST_F(WindowTest, KeysReachKeyDownBeforeReturnAndEscapePushTheDefaultAndCancelButtons) {
    bool consume = false;
    Other::event = [&](const std::string& event) {
        events.push_back(event);
        return consume;
    };
    Other::controls = [](Other& w) {
        w.Ok.Action = [] { events.push_back("ok"); };
        w.Ok.SetDefault(true);
        w.Ok.Create(w, 100, 160, 80, 24);
        w.Cancel.Action = [] { events.push_back("cancel"); };
        w.Cancel.Create(w, 10, 160, 80, 24);
        w.Cancel.SetCancel(true);
        w.Cancel.SetDefault(false);
    };
    Other& window = rt::Instance<Other>();
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Return, Qt::Key_Escape})
        QTest::keyClick(window.ContentWidget(), key);
    consume = true;
    QTest::keyClick(window.ContentWidget(), Qt::Key_Return);
    consume = false;
    window.Cancel.SetCancel(false);
    QTest::keyClick(window.ContentWidget(), Qt::Key_Escape);
    EXPECT_EQ(events, (Log{"key \x1c", "key \r", "ok", "key \x1b", "cancel", "key \r", "key \x1b"}));
}

TEST_F(WindowTest, APressTakenByTheWindowDeliversItsDragsAndRelease) {
    Other::event = [](const std::string& event) {
        events.push_back(event);
        return true;
    };
    QWidget* content = rt::Instance<Other>().ContentWidget();
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, content->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(content, &event);
    };
    send(QEvent::MouseButtonPress, QPoint(20, 30), Qt::LeftButton);
    send(QEvent::MouseMove, QPoint(25, 35), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPoint(41, 33), Qt::NoButton);
    EXPECT_EQ(events, (Log{"down 20,30", "drag 25,35", "up 41,33"}));
}

TEST_F(WindowTest, MainScreenPlacementCentresAWindowGivenNoPositionWhenFirstShown) {
    Other::layout = [](Other& w) {
        w.SetWidth(400);
        w.SetHeight(200);
        w.SetPlacement(2);
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const Other& centred = rt::Instance<Other>();
    EXPECT_EQ(std::pair(centred.Left(), centred.Top()),
              std::pair(screen.x() + (screen.width() - 400) / 2, screen.y() + (screen.height() - 200) / 2));
}

// Records the failures handed to the application object.
class ReportingApp : public rt::Application {
protected:
    void Event_UnhandledException(const std::exception_ptr& error) override {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& failure) {
            events.push_back(std::string("failed: ") + failure.what());
        }
    }
};

TEST_F(WindowTest, AFailingHandlerIsReportedOnceItsCommandHasReturnedAndTheProgramGoesOn) {
    W& window = rt::Instance<W>();
    ReportingApp app;
    app.Register();
    window.Box.Action = [] { throw std::runtime_error("box"); };
    // The box's handler runs inside Qt's signal, called from the button's handler.
    window.Ok.Action = [&window] {
        window.Box.SetValue(!window.Box.Value());
        events.push_back("ok ends");
    };
    events.clear();
    for (int click = 0; click < 2; ++click)
        QTest::mouseClick(window.Ok.Widget(), Qt::LeftButton);
    EXPECT_EQ(events, (Log{"ok ends", "failed: box", "ok ends", "failed: box"}));
}

} // namespace

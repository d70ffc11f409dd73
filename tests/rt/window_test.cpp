#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "rt/application.h"
#include "rt/controls.h"
#include "rt/runtime.h"
#include "rt/window.h"

namespace {

std::vector<std::string> events;
int destroyedWindows = 0;

class CountingWindow : public rt::Window {
public:
    rt::CheckBox Box;
    rt::PushButton CloseButton;
    int opens = 0;

    ~CountingWindow() override { ++destroyedWindows; }

protected:
    void Layout() override {
        events.push_back("layout");
        SetWidth(200);
        SetHeight(120);
    }
    void CreateControls() override {
        events.push_back("controls");
        Box.Create(*this, 10, 10, 100, 20);
        CloseButton.Action = [this] {
            Close();
            // A handler goes on after closing its own window, yielding meanwhile.
            for (int i = 0; i < 50; ++i)
                rt::RuntimeBackgroundTask();
            QCoreApplication::processEvents();
            events.push_back(destroyedWindows == 0 && opens == 1 ? "alive after close"
                                                                 : "destroyed too early");
        };
        CloseButton.Create(*this, 10, 40, 100, 24);
    }
    void Event_Open() override {
        ++opens;
        events.push_back("window open");
    }
    void Event_Close() override { events.push_back("window close"); }
};

class HiddenWindow : public rt::Window {
protected:
    void Layout() override { SetVisibleWhenCreated(false); }
};

class NoCloseBoxWindow : public rt::Window {
protected:
    void Layout() override { SetCloseButton(false); }
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        events.clear();
        destroyedWindows = 0;
    }
};

TEST_F(WindowTest, ReachingCreatesOneInstanceOpensAndShowsItUnlessHidden) {
    rt::CloseIfOpen<CountingWindow>();
    EXPECT_EQ(rt::OpenInstance<CountingWindow>(), nullptr) << "looking up never creates";
    CountingWindow& first = rt::Instance<CountingWindow>();
    EXPECT_EQ(&rt::Instance<CountingWindow>(), &first);
    EXPECT_EQ(rt::OpenInstance<CountingWindow>(), &first);
    EXPECT_EQ(events, (std::vector<std::string>{"layout", "controls", "window open"}));
    EXPECT_TRUE(first.Visible());
    EXPECT_FALSE(rt::Instance<HiddenWindow>().Visible());
}

TEST_F(WindowTest, CloseFromOwnHandlerDestroysTheWindowAfterTheHandlerAndItComesBackFresh) {
    CountingWindow& window = rt::Instance<CountingWindow>();
    window.Box.SetValue(true);
    QTest::mouseClick(window.CloseButton.Widget(), Qt::LeftButton);
    EXPECT_EQ(events.back(), "alive after close");
    EXPECT_EQ(rt::OpenInstance<CountingWindow>(), nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(destroyedWindows, 1);
    EXPECT_FALSE(rt::Instance<CountingWindow>().Box.Value());
}

TEST_F(WindowTest, CloseBoxDiscardsOnlyWindowsThatHaveOne) {
    rt::Instance<CountingWindow>().ContentWidget()->close();
    EXPECT_EQ(rt::OpenInstance<CountingWindow>(), nullptr);
    NoCloseBoxWindow& withoutBox = rt::Instance<NoCloseBoxWindow>();
    withoutBox.ContentWidget()->close();
    EXPECT_EQ(rt::OpenInstance<NoCloseBoxWindow>(), &withoutBox);
}

class StartApp : public rt::Application {
protected:
    void Event_Open() override {
        events.push_back("app open");
        Quit();
    }
    void Event_Close() override { events.push_back("app close"); }
};

TEST_F(WindowTest, WindowsReachedBeforeTheLoopOpenAfterTheApplication) {
    StartApp app;
    app.Register();
    CountingWindow& window = rt::Instance<CountingWindow>();
    EXPECT_FALSE(window.Visible());
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"layout", "controls", "app open", "window open", "app close",
                                                "window close"}));
    EXPECT_FALSE(rt::WindowRegistry::DeferringOpenings());
}

class InputWindow : public rt::Window {
public:
    rt::PushButton Ok;
    rt::PushButton Cancel;
    std::vector<std::string> log;
    bool consume = false;

protected:
    void CreateControls() override {
        Ok.Action = [this] { log.push_back("ok"); };
        Ok.SetDefault(true);
        Ok.Create(*this, 100, 160, 80, 24);
        Cancel.Action = [this] { log.push_back("cancel"); };
        Cancel.Create(*this, 10, 160, 80, 24);
        Cancel.SetCancel(true);
        Cancel.SetDefault(false);
    }
    bool Event_KeyDown(const std::string& key) override {
        log.push_back("key " + key);
        return consume;
    }
    bool Event_MouseDown(std::int32_t x, std::int32_t y) override {
        log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        return true;
    }
    void Event_MouseDrag(std::int32_t x, std::int32_t y) override {
        log.push_back("drag " + std::to_string(x) + "," + std::to_string(y));
    }
    void Event_MouseUp(std::int32_t x, std::int32_t y) override {
        log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    }
};

TEST_F(WindowTest, KeysReachKeyDownBeforeReturnAndEscapePushTheDefaultAndCancelButtons) {
    InputWindow& window = rt::Instance<InputWindow>();
    QWidget* content = window.ContentWidget();
    QTest::keyClick(content, Qt::Key_Left);
    QTest::keyClick(content, Qt::Key_Return);
    QTest::keyClick(content, Qt::Key_Escape);
    window.consume = true;
    QTest::keyClick(content, Qt::Key_Return);
    window.consume = false;
    window.Cancel.SetCancel(false);
    QTest::keyClick(content, Qt::Key_Escape);
    EXPECT_EQ(window.log, (std::vector<std::string>{"key \x1c", "key \r", "ok", "key \x1b", "cancel",
                                                    "key \r", "key \x1b"}));
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

TEST_F(WindowTest, APressTakenByTheWindowDeliversItsDragsAndRelease) {
    InputWindow& window = rt::Instance<InputWindow>();
    QWidget* content = window.ContentWidget();
    SendMouse(content, QEvent::MouseButtonPress, QPoint(20, 30), Qt::LeftButton);
    SendMouse(content, QEvent::MouseMove, QPoint(25, 35), Qt::LeftButton);
    SendMouse(content, QEvent::MouseButtonRelease, QPoint(41, 33), Qt::NoButton);
    EXPECT_EQ(window.log, (std::vector<std::string>{"down 20,30", "drag 25,35", "up 41,33"}));
}

TEST_F(WindowTest, CloseMinimiseAndMaximiseBoxesAreSetEachOnItsOwn) {
    class Boxes : public rt::Window {
    protected:
        void Layout() override {
            SetFrame(1);
            SetMinimizeButton(true);
            SetMaximizeButton(false);
        }
    };
    Boxes& window = rt::Instance<Boxes>();
    const auto flags = [&] { return window.ContentWidget()->windowFlags(); };
    EXPECT_FALSE(flags() & Qt::WindowMaximizeButtonHint);
    window.SetCloseButton(false);
    window.SetMaximizeButton(true);
    EXPECT_FALSE(flags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(WindowTest, FixedSizeWindowStillTakesTheSizesTheProgramSets) {
    class Dialog : public rt::Window {
    protected:
        void Layout() override {
            SetFrame(1);
            SetResizeable(false);
            SetHeight(406);
        }
    };
    Dialog& dialog = rt::Instance<Dialog>();
    dialog.SetHeight(360);
    EXPECT_EQ(dialog.Height(), 360);
    dialog.SetHeight(406);
    EXPECT_EQ(dialog.Height(), 406);
}

TEST_F(WindowTest, MainScreenPlacementCentresAWindowGivenNoPositionWhenFirstShown) {
    class Centred : public rt::Window {
    protected:
        void Layout() override {
            SetWidth(400);
            SetHeight(200);
            SetPlacement(2);
        }
    };
    class Placed : public Centred {
    protected:
        void Layout() override {
            Centred::Layout();
            SetLeft(4);
        }
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const Centred& centred = rt::Instance<Centred>();
    EXPECT_EQ(centred.Left(), screen.x() + (screen.width() - 400) / 2);
    EXPECT_EQ(centred.Top(), screen.y() + (screen.height() - 200) / 2);
    EXPECT_EQ(rt::Instance<Placed>().Left(), 4);
}

} // namespace

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "rt/application.h"
#include "rt/controls.h"
#include "rt/runtime.h"
#include "rt/shapes.h"
#include "rt/window.h"

namespace {

std::vector<std::string> events;
int destroyedWindows = 0;

class CountingWindow : public rt::Window {
public:
    rt::CheckBox Box;
    rt::PushButton CloseButton;
    int opens = 0;
    bool touchedAfterClose = false;

    ~CountingWindow() override { ++destroyedWindows; }

protected:
    void Layout() override {
        events.push_back("layout");
        SetTitle("Counting");
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
            touchedAfterClose = true;
            events.push_back(destroyedWindows == 0 ? "alive after close" : "destroyed too early");
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

TEST_F(WindowTest, ReachingCreatesOnceOpensAndShows) {
    CountingWindow& first = rt::Instance<CountingWindow>();
    CountingWindow& again = rt::Instance<CountingWindow>();
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(first.opens, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"layout", "controls", "window open"}));
    EXPECT_TRUE(first.Visible());
    EXPECT_TRUE(first.IsOpen());
    EXPECT_EQ(first.Width(), 200);
    EXPECT_EQ(first.Height(), 120);
    EXPECT_EQ(rt::OpenInstance<CountingWindow>(), &first);
}

TEST_F(WindowTest, HiddenRecordIsNotShownAndOpenInstanceNeverCreates) {
    EXPECT_EQ(rt::OpenInstance<HiddenWindow>(), nullptr);
    rt::CloseIfOpen<HiddenWindow>();
    EXPECT_EQ(rt::OpenInstance<HiddenWindow>(), nullptr);
    HiddenWindow& window = rt::Instance<HiddenWindow>();
    EXPECT_FALSE(window.Visible());
    window.Show();
    EXPECT_TRUE(window.Visible());
}

TEST_F(WindowTest, ClosedWindowComesBackFreshWithInitialValues) {
    CountingWindow& first = rt::Instance<CountingWindow>();
    first.Box.SetValue(true);
    first.Close();
    EXPECT_EQ(rt::OpenInstance<CountingWindow>(), nullptr);
    EXPECT_EQ(events.back(), "window close");
    rt::WindowRegistry::ReapClosed();
    EXPECT_EQ(destroyedWindows, 1);

    CountingWindow& second = rt::Instance<CountingWindow>();
    EXPECT_FALSE(second.Box.Value());
    EXPECT_EQ(second.opens, 1);
}

TEST_F(WindowTest, CloseFromOwnHandlerKeepsTheWindowAliveUntilTheHandlerReturns) {
    CountingWindow& window = rt::Instance<CountingWindow>();
    QTest::mouseClick(window.CloseButton.Widget(), Qt::LeftButton);
    EXPECT_TRUE(window.touchedAfterClose);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "alive after close");
    EXPECT_EQ(rt::OpenInstance<CountingWindow>(), nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(destroyedWindows, 1);
}

TEST_F(WindowTest, CloseBoxDiscardsOnlyWindowsThatHaveOne) {
    CountingWindow& withBox = rt::Instance<CountingWindow>();
    withBox.ContentWidget()->close();
    EXPECT_EQ(rt::OpenInstance<CountingWindow>(), nullptr);

    NoCloseBoxWindow& withoutBox = rt::Instance<NoCloseBoxWindow>();
    withoutBox.ContentWidget()->close();
    EXPECT_EQ(rt::OpenInstance<NoCloseBoxWindow>(), &withoutBox);
    EXPECT_TRUE(withoutBox.Visible());
}

class StartApp : public rt::Application {
protected:
    void Event_Open() override {
        events.push_back("app open");
        EXPECT_EQ(rt::OpenInstance<CountingWindow>()->opens, 0);
        Quit();
    }
    void Event_Close() override { events.push_back("app close"); }
};

TEST_F(WindowTest, WindowsReachedBeforeTheLoopOpenAfterTheApplication) {
    StartApp app;
    app.Register();
    CountingWindow& window = rt::Instance<CountingWindow>();
    EXPECT_EQ(window.opens, 0);
    EXPECT_FALSE(window.Visible());
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"layout", "controls", "app open", "window open", "app close",
                                                "window close"}));
    EXPECT_FALSE(rt::WindowRegistry::DeferringOpenings());
}

TEST_F(WindowTest, QuitFromTheRunningLoopEndsRun) {
    class LoopApp : public rt::Application {
    protected:
        void Event_Open() override {
            QTimer::singleShot(0, [this] { Quit(); });
        }
        void Event_Close() override { events.push_back("loop app close"); }
    } loopApp;
    EXPECT_EQ(loopApp.Run(), 0);
    EXPECT_EQ(events.back(), "loop app close");
    EXPECT_FALSE(loopApp.IsRunning());
}

class KeyWindow : public rt::Window {
public:
    rt::PushButton Ok;
    std::vector<std::string> keys;
    bool consume = false;
    int pushes = 0;
    std::vector<std::string> mouse;

protected:
    void Layout() override {
        SetWidth(200);
        SetHeight(200);
    }
    void CreateControls() override {
        Ok.Action = [this] { ++pushes; };
        Ok.SetDefault(true);
        Ok.Create(*this, 100, 160, 80, 24);
    }
    bool Event_KeyDown(const std::string& key) override {
        keys.push_back(key);
        return consume;
    }
    bool Event_MouseDown(std::int32_t x, std::int32_t y) override {
        mouse.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        return true;
    }
    void Event_MouseDrag(std::int32_t x, std::int32_t y) override {
        mouse.push_back("drag " + std::to_string(x) + "," + std::to_string(y));
    }
    void Event_MouseUp(std::int32_t x, std::int32_t y) override {
        mouse.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    }
};

TEST_F(WindowTest, KeysReachEventKeyDownAndReturnPushesTheDefaultButton) {
    KeyWindow& window = rt::Instance<KeyWindow>();
    QWidget* content = window.ContentWidget();
    QTest::keyClick(content, Qt::Key_Left);
    QTest::keyClick(content, Qt::Key_A);
    QTest::keyClick(content, Qt::Key_Return);
    EXPECT_EQ(window.keys, (std::vector<std::string>{"\x1c", "a", "\r"}));
    EXPECT_EQ(window.pushes, 1);

    window.consume = true;
    QTest::keyClick(content, Qt::Key_Return);
    EXPECT_EQ(window.pushes, 1);
}

TEST_F(WindowTest, PressOnTheWindowDeliversDragAndRelease) {
    KeyWindow& window = rt::Instance<KeyWindow>();
    QWidget* content = window.ContentWidget();
    QTest::mousePress(content, Qt::LeftButton, Qt::NoModifier, QPoint(20, 30));
    QTest::mouseMove(content, QPoint(25, 35));
    QTest::mouseRelease(content, Qt::LeftButton, Qt::NoModifier, QPoint(26, 36));
    ASSERT_GE(window.mouse.size(), 2u);
    EXPECT_EQ(window.mouse.front(), "down 20,30");
    EXPECT_EQ(window.mouse.back(), "up 26,36");
}

class PaintedWindow : public rt::Window {
public:
    rt::RectShape Box;

protected:
    void Layout() override {
        SetWidth(60);
        SetHeight(40);
        SetBackColor(0x102030);
    }
    void CreateControls() override {
        Box.SetFillColor(0xFF0000);
        Box.SetBorderColor(0x0000FF);
        Box.SetBorderWidth(2);
        Box.Create(*this, 10, 10, 20, 10);
    }
};

TEST_F(WindowTest, DrawIntoPictureHasBackColourAndShapes) {
    PaintedWindow& window = rt::Instance<PaintedWindow>();
    const rt::Picture picture = window.DrawIntoPicture();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.Width(), 60);
    EXPECT_EQ(picture.Height(), 40);
    EXPECT_EQ(picture.Pixel(2, 2), 0x102030u);
    EXPECT_EQ(picture.Pixel(10, 10), 0x0000FFu);
    EXPECT_EQ(picture.Pixel(11, 14), 0x0000FFu);
    EXPECT_EQ(picture.Pixel(15, 14), 0xFF0000u);
    EXPECT_EQ(picture.Pixel(30, 14), 0x102030u);
}

TEST_F(WindowTest, BackdropIsDrawnUnderTheShapes) {
    PaintedWindow& window = rt::Instance<PaintedWindow>();
    rt::Picture backdrop = rt::Picture::New(60, 40);
    backdrop.Graphics().SetForeColor(0x00FF00);
    backdrop.Graphics().FillRect(0, 0, 60, 40);
    window.SetBackdrop(backdrop);
    const rt::Picture picture = window.DrawIntoPicture();
    EXPECT_EQ(picture.Pixel(2, 2), 0x00FF00u);
    EXPECT_EQ(picture.Pixel(15, 14), 0xFF0000u);
}

TEST_F(WindowTest, FixedSizeWindowStillTakesTheSizesTheProgramSets) {
    class Dialog : public rt::Window {
    protected:
        void Layout() override {
            SetFrame(1);
            SetResizeable(false);
            SetWidth(410);
            SetHeight(406);
        }
    };
    Dialog& dialog = rt::Instance<Dialog>();
    dialog.SetHeight(360);
    EXPECT_EQ(dialog.Height(), 360);
    dialog.SetHeight(406);
    EXPECT_EQ(dialog.Height(), 406);
    EXPECT_EQ(dialog.Width(), 410);
    dialog.SetLeft(4);
    dialog.SetTop(42);
    EXPECT_EQ(dialog.Left(), 4);
    EXPECT_EQ(dialog.Top(), 42);
}

} // namespace

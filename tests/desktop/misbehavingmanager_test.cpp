// The program under window managers that misbehave (the tests' own, desktop::TestManager): it
// never asks about a window the manager already shows, waits for no manager that does not answer,
// reads absurd frame extents as unknown, places a window again when its frame is said late, keeps
// windows clear of a frame the manager draws around the strip, and maps a window itself when the
// manager that was to map it has ended.

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "rt/application.h"
#include "rt/desktop/windowmanager.h"
#include "rt/desktop/xserver.h"
#include "rt/dialogs.h"
#include "tests/desktop/desktop.h"
#include "tests/desktop/testmanager.h"
#include "tests/rt/testwindow.h"
#include "tests/support/e2e.h"

namespace {

using namespace testsupport;

QRect Screen() {
    return QGuiApplication::primaryScreen()->geometry();
}

bool Viewable(const QWidget& window) {
    xcb_connection_t* c = rt::x11::Connection();
    const auto attributes = rt::x11::Take(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, rt::x11::WindowOf(window)), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

// The tests' window, which each rt::Instance shows at (left, top) of the area.
using PlacedWindow = TestWindow<7>;
void PlaceWindowsAt(int left, int top) {
    PlacedWindow::Reset();
    PlacedWindow::layout = [left, top](PlacedWindow& window) {
        window.SetLeft(left);
        window.SetTop(top);
    };
}

// The 2D editor from the start window, then the 3D mode and back to 2D.
void RoundTripThroughTheModes() {
    {
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerOpen(TestData("points_lf.txt"));
        Press(VisibleWindow("Starting Choice"), "Read points from a TEXT file of X, Y, Z coordinates");
    }
    ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("2 D") && VisibleWindow("Trace"); }));
    Press(VisibleWindow("Trace"), "3 D");
    ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("Control") && VisibleWindow("3D"); }));
    Press(VisibleWindow("Control"), "2 D");
    ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("2 D") && VisibleWindow("Trace"); }));
}

// True once the manager holds every window of the program that shows.
bool ShownWindowsHeld() {
    for (const QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->windowType() != Qt::Popup && top->windowType() != Qt::ToolTip &&
            !rt::x11::HeldByManager(rt::x11::WindowOf(*top)))
            return false;
    return true;
}

using NoManagerFrameRequests = ProgramTest;

// A manager that maps a window half a second before it sets its WM_STATE (openbox often does so
// sooner): the program asks about each window before it maps, never after, also not from the
// events that follow its showing.
TEST_F(NoManagerFrameRequests, AreSentOnlyForWindowsNotYetMapped) {
    desktop::TestManager manager({"--late-state", "500"});
    ASSERT_TRUE(manager.Ready());
    RunProgram(
        [] {
            RoundTripThroughTheModes();
            // The program's events run while the windows shown last are mapped and not yet held.
            EXPECT_TRUE(QTest::qWaitFor(ShownWindowsHeld, 3000)) << "the manager never held a window";
            rt::Application::Current()->Quit();
        },
        30);
    int beforeMapping = 0;
    for (const std::string& line : manager.LogLines()) {
        EXPECT_EQ(line.find("mapped=1"), std::string::npos) << line;
        if (line.rfind("RequestFrameExtents", 0) == 0 && line.find("mapped=0") != std::string::npos)
            ++beforeMapping;
    }
    EXPECT_GT(beforeMapping, 0) << "the program asked about no window";
}

// True when the manager was asked about the window's frame.
bool AskedAbout(const desktop::TestManager& manager, const QWidget& window) {
    const std::string request =
        "RequestFrameExtents " + desktop::TestManager::LogName(rt::x11::WindowOf(window));
    const std::vector<std::string> lines = manager.LogLines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.rfind(request + " ", 0) == 0; });
}

// Managers that answer no frame request, or only the program's first question about a window of
// its own, so that the first window by the strip is asked about in vain: only it may wait, and
// the manager is asked about no later window.
TEST(NoManagerSilentManager, KeepsNoWindowWaiting) {
    const struct {
        std::vector<std::string> options;
        bool firstAsked;
    } managers[] = {{{"--no-frame-answer"}, false}, {{"--frame-answers", "1"}, true}};
    for (const auto& [options, firstAsked] : managers) {
        const std::string name = options.front();
        PlaceWindowsAt(200, 5);
        // A manager started after another has ended may own the selection through a window of
        // the same id; the program has heard of the end, and asks the new one afresh.
        ASSERT_FALSE(rt::x11::ManagerRuns());
        desktop::TestManager manager(options);
        ASSERT_TRUE(manager.Ready()) << name;
        PlacedWindow& first = rt::Instance<PlacedWindow>();
        EXPECT_EQ(AskedAbout(manager, *first.ContentWidget()), firstAsked) << name << ": the first window";
        first.Close();
        int waited = 0;
        int asked = 0;
        for (int round = 0; round < 5; ++round) {
            QElapsedTimer clock;
            clock.start();
            PlacedWindow& window = rt::Instance<PlacedWindow>();
            if (clock.elapsed() > 50)
                ++waited;
            QTest::qWait(10);
            if (AskedAbout(manager, *window.ContentWidget()))
                ++asked;
            window.Close();
        }
        EXPECT_EQ(waited, 0) << name << ": of 5 later windows, so many waited";
        EXPECT_EQ(asked, 0) << name << ": of 5 later windows, the manager was asked about so many";
    }
}

using NoManagerAbsurdExtents = ProgramTest;

// A manager that reports a title bar of 5000 pixels, or of 700 on a 1024 pixel screen: the start
// window and its message box stay on screen at their size.
TEST_F(NoManagerAbsurdExtents, LeaveTheStartWindowAndItsDialogOnScreen) {
    for (const char* extents : {"1,1,5000,5", "1,1,700,5"}) {
        desktop::TestManager manager({"--extents", extents});
        ASSERT_TRUE(manager.Ready());
        RunProgram(
            [extents] {
                QWidget* start = VisibleWindow("Starting Choice");
                ASSERT_NE(start, nullptr);
                ASSERT_TRUE(QTest::qWaitFor([&] { return Viewable(*start); }));
                const QRect client = desktop::ClientOnScreen(*start);
                EXPECT_TRUE(Screen().contains(client))
                    << extents << ": the start window at " << client.x() << "," << client.y() << " "
                    << client.width() << " x " << client.height();
                const rt::UserDialogs user;
                QRect box;
                const desktop::OnModalDialog measure([](QDialog& dialog) { return Viewable(dialog); },
                                                     [&](QDialog& dialog) {
                                                         box = desktop::ClientOnScreen(dialog);
                                                         dialog.reject();
                                                     });
                rt::MsgBox("A message");
                EXPECT_TRUE(!box.isEmpty() && Screen().contains(box))
                    << extents << ": the message box at " << box.x() << "," << box.y() << " " << box.width()
                    << " x " << box.height();
                rt::Application::Current()->Quit();
            },
            30);
    }
}

// A manager that says which frame it draws only after it has mapped the window (as KDE's seems
// to): the window is placed again, its frame inside the screen.
TEST(NoManagerLateFrame, PlacesTheWindowAgainWhenTheFrameIsSaid) {
    desktop::TestManager manager({"--no-frame-answer", "--late-frame", "300", "--extents", "1,1,60,5"});
    ASSERT_TRUE(manager.Ready());
    PlaceWindowsAt(200, 30);
    PlacedWindow& window = rt::Instance<PlacedWindow>();
    QWidget& content = *window.ContentWidget();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return rt::x11::FrameExtents(rt::x11::WindowOf(content)) &&
                   desktop::DrawnFrame(content).top() >= 0;
        },
        3000))
        << "the frame's top stays at " << desktop::DrawnFrame(content).top();
    window.Close();
}

using NoManagerFramedStrip = ProgramTest;

// A manager that frames the strip too, as awesome does: a window placed at the area's top keeps
// its frame clear of the strip's frame.
TEST_F(NoManagerFramedStrip, KeepsAWindowsFrameBelowTheStripsFrame) {
    desktop::TestManager manager;
    ASSERT_TRUE(manager.Ready());
    RunProgram(
        [] {
            const QWidget& strip = *Strip()->window();
            ASSERT_TRUE(
                QTest::qWaitFor([&] { return rt::x11::FrameExtents(rt::x11::WindowOf(strip)).has_value(); }));
            PlaceWindowsAt(200, 0);
            PlacedWindow& window = rt::Instance<PlacedWindow>();
            const QWidget& content = *window.ContentWidget();
            ASSERT_TRUE(QTest::qWaitFor([&] { return desktop::Settled(content); }));
            const int stripBottom = desktop::DrawnFrame(strip).bottom();
            EXPECT_GT(desktop::DrawnFrame(content).top(), stripBottom)
                << "the window's frame from " << desktop::DrawnFrame(content).top()
                << " covers the strip's to " << stripBottom;
            window.Close();
            rt::Application::Current()->Quit();
        },
        20);
}

using NoManagerManagerEnds = ProgramTest;

// The manager ends while the program's file dialog waits to be mapped: the program maps it, and
// the user can cancel it and go on.
TEST_F(NoManagerManagerEnds, WhileTheFileDialogWaitsToBeMapped) {
    auto manager = std::make_unique<desktop::TestManager>(std::vector<std::string>{"--no-map"});
    ASSERT_TRUE(manager->Ready());
    RunProgram(
        [&] {
            const rt::UserDialogs user;
            bool mapped = false;
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (dialog == nullptr || !dialog->isVisible())
                    return;
                if (manager != nullptr) {
                    EXPECT_FALSE(Viewable(*dialog)) << "the manager mapped the dialog";
                    EXPECT_TRUE(manager->End());
                    manager.reset();
                    return;
                }
                if (!Viewable(*dialog))
                    return;
                poll.stop();
                mapped = true;
                dialog->reject();
            });
            poll.start(20);
            QTimer::singleShot(5000, [&] {
                if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                    dialog->reject();
            });
            Press(VisibleWindow("Starting Choice"), "Read points from a TEXT file of X, Y, Z coordinates");
            EXPECT_TRUE(mapped) << "the file dialog stayed unmapped after the manager ended";
            rt::Application::Current()->Quit();
        },
        30);
}

} // namespace

using NoManagerKeptState = ProgramTest;

// A manager that leaves WM_STATE on windows it no longer shows: the points chosen in the start
// window's file dialog open the 2D editor and its palette at once, with no wait for the
// withdrawal of the closed windows.
TEST_F(NoManagerKeptState, DelaysNoWindowAfterAFileDialog) {
    desktop::TestManager manager({"--keep-state"});
    ASSERT_TRUE(manager.Ready());
    // Enough points that reading them lets the program's events run meanwhile.
    const QTemporaryDir folder;
    const QString points = folder.filePath(QStringLiteral("points.txt"));
    {
        QFile file(points);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 50000; ++i)
            file.write(QStringLiteral("%1\t%2\t%3\n").arg(i % 250).arg(i / 250).arg(i % 17).toUtf8());
    }
    RunProgram(
        [&] {
            const rt::UserDialogs user;
            QElapsedTimer sinceChosen;
            const desktop::OnModalDialog choose(
                [](QDialog& dialog) {
                    return qobject_cast<QFileDialog*>(&dialog) != nullptr && Viewable(dialog) &&
                           QApplication::activeWindow() == &dialog;
                },
                [&](QDialog&) {
                    QProcess::execute(
                        QStringLiteral("xdotool"),
                        {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("1"), points});
                    QProcess::execute(QStringLiteral("xdotool"),
                                      {QStringLiteral("key"), QStringLiteral("Return")});
                    sinceChosen.start();
                });
            QTimer::singleShot(5000, [] {
                if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                    dialog->reject();
            });
            Press(VisibleWindow("Starting Choice"), "Read points from a TEXT file of X, Y, Z coordinates");
            ASSERT_TRUE(sinceChosen.isValid()) << "the file dialog never showed";
            ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("2 D") && VisibleWindow("Trace"); }));
            EXPECT_LT(sinceChosen.elapsed(), 500) << "ms from the chosen file to the palette";
            rt::Application::Current()->Quit();
        },
        30);
}

// A manager that takes no selection and names itself only through _NET_SUPPORTING_WM_CHECK (as
// fluxbox does) is a manager all the same: the program keeps a window's frame on screen, and once
// the manager has ended, its leftover word on the root names no manager.
TEST(NoManagerWithoutASelection, IsAManagerUntilItEnds) {
    desktop::TestManager manager({"--no-selection"});
    ASSERT_TRUE(manager.Ready()) << "the manager was not seen";
    PlaceWindowsAt(200, 5);
    PlacedWindow& window = rt::Instance<PlacedWindow>();
    QWidget& content = *window.ContentWidget();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return rt::x11::FrameExtents(rt::x11::WindowOf(content)).has_value(); }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return desktop::DrawnFrame(content).top() >= 0; }))
        << "the frame's top lies at " << desktop::DrawnFrame(content).top();
    window.Close();
    EXPECT_TRUE(manager.End());
    EXPECT_FALSE(rt::x11::ManagerRuns());
}

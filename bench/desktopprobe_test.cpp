// The desktop benchmarks' probe of the X server: the map states it tells apart, its click, the
// span it times and the window manager it runs. On an X screen of its own without a manager:
//   bash tests/desktop/on_own_screen.sh none build/bench/ambrelix_desktop_bench_tests

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QtGlobal>
#include <chrono>
#include <gtest/gtest.h>

#include "bench/desktopprobe.h"
#include "rt/desktop/windowmanager.h"
#include "rt/desktop/xserver.h"

namespace {

using deskbench::MapState;

TEST(ProbeMapState, AWindowMappedInsideAnUnmappedOneIsNotViewableUntilThatOneMaps) {
    const deskbench::XConnection x;
    ASSERT_TRUE(x.Connected());
    const xcb_window_t frame = xcb_generate_id(x.get());
    const xcb_window_t client = xcb_generate_id(x.get());
    xcb_create_window(x.get(), XCB_COPY_FROM_PARENT, frame, x.Root(), 10, 10, 100, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_create_window(x.get(), XCB_COPY_FROM_PARENT, client, frame, 0, 20, 100, 80, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    EXPECT_EQ(deskbench::StateOf(x, client), MapState::Unmapped);
    xcb_map_window(x.get(), client);
    EXPECT_EQ(deskbench::StateOf(x, client), MapState::Unviewable);
    EXPECT_EQ(deskbench::ParentOf(x, client), frame);
    EXPECT_EQ(deskbench::ParentOf(x, frame), x.Root());
    xcb_map_window(x.get(), frame);
    EXPECT_EQ(deskbench::StateOf(x, client), MapState::Viewable);
    EXPECT_EQ(deskbench::OnRoot(x, client, {5, 5}), QPoint(15, 35));
    xcb_destroy_window(x.get(), frame);
    EXPECT_EQ(deskbench::StateOf(x, client), MapState::Gone);
}

// A button away from the screen's diagonal, so that a click with its coordinates swapped misses,
// with the pointer on it.
class ButtonOnScreen : public ::testing::Test {
protected:
    void SetUp() override { ShowWithPointerOnIt(false); }
    // Waits until the button's window is viewable and, when `framed`, in a manager's frame.
    void ShowWithPointerOnIt(bool framed) {
        ASSERT_TRUE(deskbench::CanFakeInput(x));
        button.setGeometry(420, 150, 120, 40);
        button.show();
        const xcb_window_t id = rt::x11::WindowOf(button);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return deskbench::StateOf(x, id) == MapState::Viewable &&
                       (deskbench::ParentOf(x, id) != x.Root()) == framed;
            },
            5000));
        // A manager may still place the window it has just framed.
        QTest::qWait(framed ? 300 : 0);
        const std::optional<QPoint> centre = deskbench::OnRoot(x, id, button.rect().center());
        ASSERT_TRUE(centre.has_value());
        ASSERT_TRUE(deskbench::MovePointer(x, *centre));
    }
    deskbench::XConnection x;
    QPushButton button{"Press"};
};

using ProbeClick = ButtonOnScreen;

TEST_F(ProbeClick, ClicksTheButtonUnderThePointerOnce) {
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    ASSERT_TRUE(deskbench::Click(x));
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks > 0; }, 2000));
    QTest::qWait(100);
    EXPECT_EQ(clicks, 1);
}

// A dialog whose window maps a while after its show event.
class LateDialog : public QDialog {
public:
    static constexpr int kLateMs = 150;

protected:
    void showEvent(QShowEvent* event) override {
        QThread::msleep(kLateMs);
        QDialog::showEvent(event);
    }
};

using ProbeOpening = ButtonOnScreen;

TEST_F(ProbeOpening, RunsFromTheClickUntilTheDialogIsViewableThenClosesIt) {
    int closed = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        LateDialog dialog;
        dialog.resize(200, 100);
        dialog.exec();
        ++closed;
    });
    deskbench::OpeningProbe probe;
    const deskbench::OpeningProbe::Opening opening = probe.ClickAndTime(std::chrono::milliseconds(5000));
    ASSERT_EQ(opening.error, "");
    EXPECT_GE(opening.seconds, LateDialog::kLateMs / 1000.0);
    EXPECT_LT(opening.seconds, 2.0);
    // The show event came before the wait, the window's mapping after it.
    EXPECT_LE(opening.secondsToShow + LateDialog::kLateMs / 1000.0, opening.seconds);
    EXPECT_FALSE(opening.framed);
    EXPECT_EQ(closed, 1);
}

TEST_F(ProbeOpening, SaysSoWhenNoDialogShows) {
    deskbench::OpeningProbe probe;
    const deskbench::OpeningProbe::Opening opening = probe.ClickAndTime(std::chrono::milliseconds(300));
    EXPECT_EQ(opening.error, "no dialog showed after the click");
}

TEST_F(ProbeOpening, ClosesADialogThatShowsOnlyAfterItGaveUp) {
    QElapsedTimer shownFor;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        QTimer::singleShot(400, [&] {
            QDialog dialog;
            // Should the probe leave it, the test ends it.
            QTimer::singleShot(3000, &dialog, &QDialog::reject);
            shownFor.start();
            dialog.exec();
        });
    });
    deskbench::OpeningProbe probe;
    EXPECT_EQ(probe.ClickAndTime(std::chrono::milliseconds(200)).error, "no dialog showed after the click");
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownFor.isValid(); }, 2000));
    EXPECT_LT(shownFor.elapsed(), 1000);
}

class ProbeUnderOpenbox : public ButtonOnScreen {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("openbox").isEmpty())
            GTEST_SKIP() << "openbox is not installed";
        ASSERT_EQ(openbox.Start(10000), "");
        ShowWithPointerOnIt(true);
    }
    deskbench::ManagerProcess openbox{"openbox", {"--sm-disable"}};
};

TEST_F(ProbeUnderOpenbox, TimesADialogInTheManagersFrame) {
    int closed = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        QDialog dialog;
        dialog.resize(200, 100);
        dialog.exec();
        ++closed;
    });
    deskbench::OpeningProbe probe;
    const deskbench::OpeningProbe::Opening opening = probe.ClickAndTime(std::chrono::milliseconds(5000));
    ASSERT_EQ(opening.error, "");
    EXPECT_TRUE(opening.framed);
    EXPECT_GT(opening.seconds, opening.secondsToShow);
    EXPECT_EQ(closed, 1);
}

TEST(ProbeManager, HoldsTheScreenFromStartUntilStop) {
    if (QStandardPaths::findExecutable("openbox").isEmpty())
        GTEST_SKIP() << "openbox is not installed";
    ASSERT_FALSE(rt::x11::ManagerRuns()) << "run on a screen without a window manager";
    deskbench::ManagerProcess openbox("openbox", {"--sm-disable"});
    ASSERT_EQ(openbox.Start(10000), "");
    EXPECT_TRUE(rt::x11::ManagerRuns());
    EXPECT_EQ(openbox.Stop(5000), "");
    EXPECT_FALSE(openbox.Running());
    EXPECT_FALSE(rt::x11::ManagerRuns());
}

TEST(ProbeManager, AProgramThatEndsWithoutTakingTheScreenFailsToStart) {
    deskbench::ManagerProcess notAManager("true", {});
    EXPECT_EQ(notAManager.Start(5000), "true ended before it took the screen");
}

TEST(ProbeSummary, MedianOfAnEvenCountIsTheMeanOfTheMiddleTwo) {
    EXPECT_FALSE(deskbench::Summarize({}).has_value());
    EXPECT_EQ(deskbench::Summarize({3, 1, 2})->median, 2);
    const std::optional<deskbench::Summary> even = deskbench::Summarize({10, 1, 3, 2});
    ASSERT_TRUE(even.has_value());
    EXPECT_EQ(even->median, 2.5);
    EXPECT_EQ(even->mean, 4);
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}

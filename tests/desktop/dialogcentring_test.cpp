// Dialogs open where Qt centres them on the window they came from: without a window manager,
// under one, and below the strip under a desktop's top panel.

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

#include "rt/application.h"
#include "rt/dialogs.h"
#include "tests/desktop/desktop.h"
#include "tests/support/e2e.h"

namespace {

using namespace testsupport;

// Where Qt's showing of a dialog of that size moves it, centred on `parent`.
QPoint WhereQtCentres(QWidget* parent, const QSize& size) {
    class Probe : public QDialog {
    public:
        using QDialog::adjustPosition;
        using QDialog::QDialog;
    };
    Probe probe(parent);
    probe.resize(size);
    probe.adjustPosition(parent);
    return probe.pos();
}

// Records, as a dialog's window is about to map, where Qt centres it: what Qt's showing would do
// for that dialog with the same windows on the screen.
class CentringWatch : public QObject {
public:
    CentringWatch() { qApp->installEventFilter(this); }
    QPoint centred;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWindowType())
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QDialog*>(top);
                    dialog != nullptr && top->windowHandle() == watched)
                    centred = WhereQtCentres(dialog->parentWidget(), dialog->size());
        return QObject::eventFilter(watched, event);
    }
};

struct OpenedDialog {
    bool seen = false;
    QRect client;   // on the screen
    QRect frame;    // on the screen
    QPoint centred; // where Qt centres the dialog's client
};

// Runs `open`, which shows a modal dialog and returns once it closes; records where the dialog
// settles on the screen and cancels it.
OpenedDialog OpenAndCancel(const std::function<void()>& open) {
    OpenedDialog opened;
    const rt::UserDialogs user;
    const CentringWatch watch;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !desktop::Settled(*dialog))
            return;
        poll.stop();
        opened.seen = true;
        opened.centred = watch.centred;
        // The manager may still be moving the window it has just framed.
        static_cast<void>(QTest::qWaitFor(
            [&] {
                return (desktop::ClientOnScreen(*dialog).topLeft() - opened.centred).manhattanLength() <= 4;
            },
            1000));
        opened.client = desktop::ClientOnScreen(*dialog);
        opened.frame = desktop::DrawnFrame(*dialog);
        dialog->reject();
    });
    poll.start(20);
    open();
    return opened;
}

// A message box over the start window and the start window's file dialog lie where Qt centres
// them, within a few pixels, their frames below the strip.
void ExpectDialogsWhereQtCentresThem() {
    QWidget* start = VisibleWindow("Starting Choice");
    ASSERT_NE(start, nullptr);
    const int stripBottom = desktop::DrawnFrame(*Strip()->window()).bottom();
    const auto expectCentred = [&](const OpenedDialog& dialog, const char* name) {
        ASSERT_TRUE(dialog.seen) << name << " never showed";
        EXPECT_LE((dialog.client.topLeft() - dialog.centred).manhattanLength(), 4)
            << name << " at " << dialog.client.x() << "," << dialog.client.y() << ", centred at "
            << dialog.centred.x() << "," << dialog.centred.y();
        EXPECT_GT(dialog.frame.top(), stripBottom) << name << " covers the strip";
    };
    expectCentred(OpenAndCancel([] { rt::MsgBox("A message"); }), "the message box");
    // The start window closes as the file dialog opens.
    expectCentred(OpenAndCancel([&] { Press(start, "Read points from a TEXT file of X, Y, Z coordinates"); }),
                  "the file dialog");
}

using NoManagerDialogs = ProgramTest;
using DialogsUnderAManager = ProgramTest;
class DialogsUnderATopPanel : public ProgramTest {
protected:
    desktop::TopPanel panel;
};

TEST_F(NoManagerDialogs, AFileDialogAndAMessageBoxOpenCentredOnTheirWindow) {
    RunProgram(
        [] {
            ExpectDialogsWhereQtCentresThem();
            rt::Application::Current()->Quit();
        },
        30);
}

TEST_F(DialogsUnderAManager, AFileDialogAndAMessageBoxOpenCentredOnTheirWindow) {
    RunProgram(
        [] {
            ExpectDialogsWhereQtCentresThem();
            rt::Application::Current()->Quit();
        },
        30);
}

TEST_F(DialogsUnderATopPanel, AFileDialogAndAMessageBoxOpenCentredOnTheirWindowBelowTheStrip) {
    ASSERT_TRUE(panel.Reserved()) << "the window manager reserved no band for the panel";
    RunProgram(
        [] {
            ExpectDialogsWhereQtCentresThem();
            rt::Application::Current()->Quit();
        },
        30);
}

} // namespace

namespace {

using NoManager640Dialogs = ProgramTest;

// On a screen too small for Qt to centre the start window's file dialog below the strip, the
// dialog moves down just below the strip and stays centred across.
TEST_F(NoManager640Dialogs, ADialogThatMustMoveBelowTheStripStaysCentredAcross) {
    if (QGuiApplication::primaryScreen()->geometry().size() != QSize(640, 480))
        GTEST_SKIP() << "runs on a 640 x 480 screen";
    RunProgram(
        [] {
            QWidget* start = VisibleWindow("Starting Choice");
            ASSERT_NE(start, nullptr);
            const int stripBottom = desktop::DrawnFrame(*Strip()->window()).bottom();
            const OpenedDialog dialog =
                OpenAndCancel([&] { Press(start, "Read points from a TEXT file of X, Y, Z coordinates"); });
            ASSERT_TRUE(dialog.seen);
            EXPECT_EQ(dialog.frame.top(), stripBottom + 1);
            EXPECT_LE(std::abs(dialog.frame.center().x() - 320), 1)
                << "the dialog's frame from " << dialog.frame.left() << " to " << dialog.frame.right();
            rt::Application::Current()->Quit();
        },
        30);
}

} // namespace

namespace {

using TwoMonitorsDialogs = ProgramTest;

// On a screen shown as two monitors, the user has moved the start window to the second monitor,
// near its top. A message box and a file dialog opened on it lie where Qt centres them on it,
// within that monitor's area: the first monitor's area does not pull them over, and the strip,
// which lies on the first monitor, does not push them down.
TEST_F(TwoMonitorsDialogs, OpenCentredOnTheirWindowOnTheSecondMonitor) {
    if (QGuiApplication::screens().size() != 2)
        GTEST_SKIP() << "runs on two monitors";
    RunProgram(
        [] {
            QScreen* second = QGuiApplication::screens().at(0) == QGuiApplication::primaryScreen()
                                  ? QGuiApplication::screens().at(1)
                                  : QGuiApplication::screens().at(0);
            const QRect area = second->availableGeometry();
            QWidget* start = VisibleWindow("Starting Choice");
            ASSERT_NE(start, nullptr);
            ASSERT_TRUE(desktop::SettlesViewable(*start));
            const QPoint wanted(area.left() + (area.width() - start->width()) / 2, area.top() + 40);
            start->move(wanted);
            ASSERT_TRUE(QTest::qWaitFor([&] {
                return start->screen() == second &&
                       desktop::ClientOnScreen(*start).top() >= area.top() + 40 &&
                       desktop::ClientOnScreen(*start).left() >= wanted.x();
            })) << "the start window stayed at "
                << desktop::ClientOnScreen(*start).x() << "," << desktop::ClientOnScreen(*start).y();

            const auto expectCentredThere = [&](const OpenedDialog& dialog, const char* name) {
                ASSERT_TRUE(dialog.seen) << name << " never showed";
                EXPECT_LE((dialog.client.topLeft() - dialog.centred).manhattanLength(), 4)
                    << name << " at " << dialog.client.x() << "," << dialog.client.y() << ", centred at "
                    << dialog.centred.x() << "," << dialog.centred.y();
                EXPECT_TRUE(area.contains(dialog.frame))
                    << name << "'s frame from " << dialog.frame.left() << "," << dialog.frame.top()
                    << " leaves the second monitor's area";
            };
            expectCentredThere(OpenAndCancel([] { rt::MsgBox("A message"); }), "the message box");
            const OpenedDialog files = OpenAndCancel([&] {
                QFileDialog dialog(start);
                dialog.exec();
            });
            expectCentredThere(files, "the file dialog");
            const int centredFrameTop = files.centred.y() - (files.client.top() - files.frame.top());
            EXPECT_LE(centredFrameTop, desktop::DrawnFrame(*Strip()->window()).bottom())
                << "centred, the file dialog does not reach as high as the strip: the test shows nothing of "
                   "it";
            rt::Application::Current()->Quit();
        },
        30);
}

} // namespace

// The program with a D-Bus session bus that takes connections and never answers (a hung desktop,
// an address left over from another login), or an accessibility bus that never answers: it starts
// as soon as with buses that answer, and its dialogs and roads wait on nothing; it joins an
// accessibility bus that answers, named by the session bus or the display, for screen readers.
// Run by hung_bus_test.sh, which starts the buses.

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <ctime>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>

#include "rt/application.h"
#include "rt/dialogs.h"
#include "tests/support/e2e.h"

namespace {

using namespace testsupport;
using HungBusSessionAccessibility = ProgramTest;
using HungBus = ProgramTest;
using HungBusAccessibility = ProgramTest;
using HungBusOfTheDisplay = ProgramTest;

// A wait on the bus lasts as long as D-Bus's reply timeout, 25 s; a dialog shows well within this.
constexpr int kDialogShowsMs = 5000;

// Runs `open`, which shows a modal dialog of type D and returns once it closes; cancels the dialog
// once it shows. The milliseconds from the call until the dialog showed, or -1 when none did.
template <class D> qint64 MsUntilShownAndCancelled(const std::function<void()>& open) {
    const rt::UserDialogs user;
    QElapsedTimer clock;
    qint64 shownAfter = -1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible())
            return;
        poll.stop();
        shownAfter = clock.elapsed();
        dialog->reject();
    });
    poll.start(10);
    clock.start();
    open();
    return shownAfter;
}

// Milliseconds since this process started (its 22nd stat field, in clock ticks since the boot):
// the runtime's start-up, made before the tests run, is part of the program's start.
qint64 MsSinceTheProcessStarted() {
    std::ifstream stat("/proc/self/stat");
    const std::string fields((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream afterName(fields.substr(fields.rfind(')') + 1)); // a name may hold spaces
    std::string skipped;
    for (int number = 3; number < 22; ++number)
        afterName >> skipped;
    unsigned long long startTicks = 0;
    afterName >> startTicks;
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return qint64{now.tv_sec} * 1000 + now.tv_nsec / 1000000 -
           static_cast<qint64>(startTicks) * 1000 / sysconf(_SC_CLK_TCK);
}

// Milliseconds from the start of the program's process until its start window shows, then quits it.
qint64 MsUntilTheStartWindowShows(const std::function<void()>& thenBeforeQuit) {
    qint64 opened = -1;
    const int status = RunProgram(
        [&] {
            opened = MsSinceTheProcessStarted();
            thenBeforeQuit();
            rt::Application::Current()->Quit();
        },
        30);
    EXPECT_EQ(status, 0);
    return opened;
}

// The milliseconds the start took with buses that answer, measured by the first run; -1 unmeasured.
int ReferenceStartMs() {
    bool measured = false;
    const int ms = qEnvironmentVariableIntValue("AMBRELIX_TEST_REFERENCE_START_MS", &measured);
    return measured ? ms : -1;
}

// dbus-send's printed reply to a call of the bus daemon at `address`; empty when none came.
QString AskBus(const QString& address, const QStringList& call) {
    QProcess send;
    send.start(QStringLiteral("dbus-send"),
               QStringList{"--bus=" + address, "--print-reply", "--dest=org.freedesktop.DBus", "/"} + call);
    if (!send.waitForFinished(5000))
        return {};
    return QString::fromUtf8(send.readAllStandardOutput());
}

// True when a connection of this process is on the bus at `address`.
bool ConnectedTo(const QString& address) {
    static const QRegularExpression uniqueName(QStringLiteral(R"re(string "(:[0-9.]+)")re"));
    const QRegularExpression thisProcess(
        QStringLiteral("uint32 %1\\b").arg(QCoreApplication::applicationPid()));
    const QString names = AskBus(address, {"org.freedesktop.DBus.ListNames"});
    for (auto name = uniqueName.globalMatch(names); name.hasNext();)
        if (AskBus(address,
                   {"org.freedesktop.DBus.GetConnectionUnixProcessID", "string:" + name.next().captured(1)})
                .contains(thisProcess))
            return true;
    return false;
}

TEST_F(HungBusSessionAccessibility, AScreenReaderReachesTheProgramThroughTheBusTheSessionBusNames) {
    const QString bus = qEnvironmentVariable("AMBRELIX_TEST_ACCESSIBILITY_BUS");
    if (bus.isEmpty() || qEnvironmentVariableIsEmpty("AMBRELIX_TEST_ANSWERING_BUS"))
        GTEST_SKIP() << "runs from hung_bus_test.sh, with a session bus that names an accessibility bus";
    ASSERT_EQ(qgetenv("DBUS_SESSION_BUS_ADDRESS"), qgetenv("AMBRELIX_TEST_ANSWERING_BUS"));
    const qint64 ms = MsUntilTheStartWindowShows([&] {
        EXPECT_TRUE(ConnectedTo(bus)) << "the program is not on the accessibility bus " << bus.toStdString();
    });
    ASSERT_GE(ms, 0) << "the start window never showed";
    std::cout << "start window after " << ms << " ms\n";
    EXPECT_FALSE(qEnvironmentVariableIsSet("AT_SPI_BUS_ADDRESS"));
}

TEST_F(HungBus, TheStartWindowShowsAsSoonAsWithABusThatAnswersAndDialogsAndAReadWaitOnNothing) {
    if (qEnvironmentVariableIsEmpty("AMBRELIX_TEST_HUNG_BUS"))
        GTEST_SKIP() << "runs from hung_bus_test.sh, with a session bus that has hung";
    ASSERT_EQ(qgetenv("DBUS_SESSION_BUS_ADDRESS"), qgetenv("AMBRELIX_TEST_HUNG_BUS"));
    const int reference = ReferenceStartMs();
    ASSERT_GE(reference, 0) << "no start with a bus that answers to compare with";

    const qint64 ms = MsUntilTheStartWindowShows([] {
        const qint64 import = MsUntilShownAndCancelled<QFileDialog>([] {
            QAction* item = MenuItem({"File", "Import..", "Text XYZ.."});
            ASSERT_NE(item, nullptr);
            item->trigger();
        });
        EXPECT_GE(import, 0) << "File > Import.. > Text XYZ.. showed no file dialog";
        EXPECT_LT(import, kDialogShowsMs);
        const qint64 message = MsUntilShownAndCancelled<QMessageBox>([] { rt::MsgBox("A message"); });
        EXPECT_GE(message, 0) << "no message box showed";
        EXPECT_LT(message, kDialogShowsMs);

        rt::ScriptedDialogs dialogs;
        dialogs.AnswerOpen(TestData("points_lf.txt"));
        Press(VisibleWindow("Starting Choice"), "Read points from a TEXT file of X, Y, Z coordinates");
        EXPECT_EQ(dialogs.PendingAnswers(), 0u);
        EXPECT_TRUE(
            QTest::qWaitFor([] { return VisibleWindow("Trace") && VisibleWindow("2 D"); }, kDialogShowsMs))
            << "the 2D editor did not show the points read";
    });
    ASSERT_GE(ms, 0) << "the start window never showed";
    std::cout << "start window after " << ms << " ms; with a bus that answers, " << reference << " ms\n";
    EXPECT_LE(ms, reference + 1000);
}

TEST_F(HungBusAccessibility, AScreenReaderReachesTheProgramThroughTheBusTheDisplayNames) {
    const QString bus = qEnvironmentVariable("AMBRELIX_TEST_ACCESSIBILITY_BUS");
    if (bus.isEmpty() || qEnvironmentVariableIsEmpty("AMBRELIX_TEST_HUNG_BUS"))
        GTEST_SKIP() << "runs from hung_bus_test.sh, with a session bus that has hung";
    ASSERT_EQ(qgetenv("DBUS_SESSION_BUS_ADDRESS"), qgetenv("AMBRELIX_TEST_HUNG_BUS"));
    const qint64 ms = MsUntilTheStartWindowShows([&] {
        EXPECT_TRUE(ConnectedTo(bus)) << "the program is not on the accessibility bus " << bus.toStdString();
    });
    EXPECT_GE(ms, 0) << "the start window never showed";
    std::cout << "start window after " << ms << " ms\n";
    // The programs it starts get the environment it got.
    EXPECT_FALSE(qEnvironmentVariableIsSet("AT_SPI_BUS_ADDRESS"));
    EXPECT_FALSE(qEnvironmentVariableIsSet("NO_AT_BRIDGE"));
}

TEST_F(HungBusOfTheDisplay, TheStartWindowShowsAsSoonAsWithABusThatAnswers) {
    if (qEnvironmentVariableIsEmpty("AMBRELIX_TEST_HUNG_BUS") ||
        qEnvironmentVariableIsEmpty("AMBRELIX_TEST_ANSWERING_BUS"))
        GTEST_SKIP() << "runs from hung_bus_test.sh, with a display that names a bus that has hung";
    ASSERT_EQ(qgetenv("DBUS_SESSION_BUS_ADDRESS"), qgetenv("AMBRELIX_TEST_ANSWERING_BUS"));
    const int reference = ReferenceStartMs();
    ASSERT_GE(reference, 0) << "no start with buses that answer to compare with";
    const qint64 ms = MsUntilTheStartWindowShows([] {});
    ASSERT_GE(ms, 0) << "the start window never showed";
    std::cout << "start window after " << ms << " ms; with buses that answer, " << reference << " ms\n";
    EXPECT_LE(ms, reference + 1000);
}

} // namespace

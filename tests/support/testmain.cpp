// The shared main of the test programs: a QApplication, a temporary per-user folder (the real one
// is never touched), dialogs answered by a script (an unscripted one fails the test and is
// answered as cancelled), and no window left open from one test to the next.

#include <QApplication>
#include <QByteArray>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

#include "rt/dialogs.h"
#include "rt/window.h"

namespace {

// The offscreen platform reports every window operation it lacks; those reports are noise here.
QtMessageHandler standardMessages = nullptr;

void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (standardMessages != nullptr)
        standardMessages(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

class DiscardWindowsAfterEachTest : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { rt::WindowRegistry::DiscardAll(); }
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);

    QTemporaryDir userFolder;
    if (!userFolder.isValid())
        return 2;
    const QByteArray base = userFolder.path().toLocal8Bit();
    setenv("XDG_CONFIG_HOME", (base + "/config").constData(), 1);
    setenv("XDG_DATA_HOME", (base + "/data").constData(), 1);
    setenv("XDG_CACHE_HOME", (base + "/cache").constData(), 1);

    standardMessages = qInstallMessageHandler(QuietMessages);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ambrelix"));
    QApplication::setQuitOnLastWindowClosed(false);

    rt::ScriptedDialogs::SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
    // Beneath every test's own script: a dialog nobody scripted never waits for a user.
    rt::ScriptedDialogs unscripted;

    ::testing::UnitTest::GetInstance()->listeners().Append(new DiscardWindowsAfterEachTest);
    const int result = RUN_ALL_TESTS();
    rt::WindowRegistry::DiscardAll();
    return result;
}

// The shared main of the test programs: the runtime started as the program starts it, a temporary
// per-user folder, dialogs answered by script (an unscripted one fails the test as cancelled) and no
// window kept from test to test.

#include <QApplication>
#include <gtest/gtest.h>

#include "rt/dialogs.h"
#include "rt/runtimeinit.h"
#include "rt/window.h"
#include "tests/support/temporaryuserfolder.h"

namespace {
class DiscardWindowsAfterEachTest : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { rt::WindowRegistry::DiscardAll(); }
};
} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const testsupport::TemporaryUserFolder userFolder;
    if (!userFolder.Valid())
        return 2;

    const rt::RuntimeInit runtime(argc, argv, "Ambrelix");
    QApplication::setQuitOnLastWindowClosed(false);

    rt::ScriptedDialogs::SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
    rt::ScriptedDialogs unscripted; // beneath every test's own script
    ::testing::UnitTest::GetInstance()->listeners().Append(new DiscardWindowsAfterEachTest);
    const int result = RUN_ALL_TESTS();
    rt::WindowRegistry::DiscardAll();
    return result;
}

#include "tests/desktop/testmanager.h"

#include <QStringList>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <fstream>

#include "rt/desktop/windowmanager.h"
#include "rt/desktop/xserver.h"

#ifndef AMBRELIX_TEST_WM
#error "AMBRELIX_TEST_WM names the test window manager's executable (tests/CMakeLists.txt)"
#endif

namespace desktop {

namespace {

constexpr int kWaitMs = 5000;

bool FramedOnRoot(xcb_window_t window) {
    xcb_connection_t* c = rt::x11::Connection();
    const auto tree = rt::x11::Take(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
    return tree && tree->parent != rt::x11::Root() && tree->parent != XCB_WINDOW_NONE;
}

} // namespace

TestManager::TestManager(const std::vector<std::string>& options)
    : logPath_(folder_.filePath(QStringLiteral("manager.log"))) {
    QStringList arguments;
    for (const std::string& option : options)
        arguments << QString::fromStdString(option);
    arguments << QStringLiteral("--log") << logPath_;
    // The manager's complaints (another manager runs, a wrong option) show in the test's output.
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(AMBRELIX_TEST_WM), arguments);
    const bool mapsWindows = std::find(options.begin(), options.end(), "--no-map") == options.end();
    ready_ = rt::x11::Connection() != nullptr && folder_.isValid() &&
             QTest::qWaitFor([] { return rt::x11::ManagerRuns(); }, kWaitMs) &&
             TakesInANewWindow(mapsWindows);
}

TestManager::~TestManager() {
    static_cast<void>(End());
}

// A bare window of the test's own, mapped once the manager owns the screen, shows that the
// manager handles map requests.
bool TestManager::TakesInANewWindow(bool framesIt) const {
    xcb_connection_t* c = rt::x11::Connection();
    const xcb_window_t probe = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, rt::x11::Root(), 0, 0, 10, 10, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_map_window(c, probe);
    xcb_flush(c);
    const std::string mapRequest = "MapRequest " + LogName(probe);
    const bool takenIn =
        QTest::qWaitFor([&] { return framesIt ? FramedOnRoot(probe) : Logged(mapRequest); }, kWaitMs);
    xcb_destroy_window(c, probe);
    xcb_flush(c);
    return takenIn;
}

bool TestManager::End() {
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!QTest::qWaitFor([&] { return process_.state() == QProcess::NotRunning; }, kWaitMs)) {
            process_.kill();
            static_cast<void>(
                QTest::qWaitFor([&] { return process_.state() == QProcess::NotRunning; }, kWaitMs));
        }
    }
    return rt::x11::Connection() == nullptr ||
           QTest::qWaitFor([] { return !rt::x11::ManagerRuns(); }, kWaitMs);
}

std::vector<std::string> TestManager::LogLines() const {
    std::vector<std::string> lines;
    std::ifstream log(logPath_.toStdString());
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    return lines;
}

bool TestManager::Logged(const std::string& line) const {
    const std::vector<std::string> lines = LogLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string TestManager::LogName(xcb_window_t window) {
    char name[16];
    std::snprintf(name, sizeof name, "0x%x", static_cast<unsigned>(window));
    return name;
}

} // namespace desktop

// ambrelix_test_wm: a window manager for the desktop tests, whose misbehaviour its options choose
// (options.h). It runs on DISPLAY until SIGTERM or SIGINT; the X server then puts the windows it
// framed back on the root.

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>
#include <vector>

#include "tests/desktop/testmanager/manager.h"

namespace {

struct Disconnect {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

int Fail(const std::string& why) {
    std::fprintf(stderr, "ambrelix_test_wm: %s\n", why.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    for (const std::string& argument : arguments) {
        if (argument == "--help") {
            std::fputs(testwm::kUsage, stdout);
            return 0;
        }
    }
    const testwm::ParsedOptions parsed = testwm::ParseOptions(arguments);
    if (!parsed.options) {
        std::fprintf(stderr, "ambrelix_test_wm: %s\n%s", parsed.error.c_str(), testwm::kUsage);
        return 2;
    }

    // The signals that end the manager arrive as data in its poll, not in a handler.
    sigset_t endSignals;
    sigemptyset(&endSignals);
    sigaddset(&endSignals, SIGTERM);
    sigaddset(&endSignals, SIGINT);
    if (sigprocmask(SIG_BLOCK, &endSignals, nullptr) != 0)
        return Fail("cannot block SIGTERM and SIGINT");
    const FileDescriptor signals(signalfd(-1, &endSignals, SFD_CLOEXEC));
    if (signals.Get() < 0)
        return Fail("cannot open a signalfd");

    testwm::Log log(parsed.options->logPath);
    if (!log.Open())
        return Fail("cannot write the log " + parsed.options->logPath);
    int screen = 0;
    const std::unique_ptr<xcb_connection_t, Disconnect> connection(xcb_connect(nullptr, &screen));
    if (xcb_connection_has_error(connection.get()) != 0)
        return Fail("cannot open the display");
    testwm::Manager manager(connection.get(), screen, *parsed.options, log);
    const std::string refused = manager.TakeScreen();
    if (!refused.empty())
        return Fail(refused);
    return manager.Run(signals.Get());
}

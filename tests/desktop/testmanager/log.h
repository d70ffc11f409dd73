#pragma once
// The manager's record of the events it handles, one line each, written through at once so a
// test reads every line the manager has handled so far.

#include <cstdio>
#include <memory>
#include <string>
#include <xcb/xproto.h>

namespace testwm {

class Log {
public:
    // No log for an empty path.
    explicit Log(const std::string& path);
    // False when a path was given and the file could not be opened.
    bool Open() const { return path_.empty() || file_ != nullptr; }
    void Line(const std::string& line);

private:
    struct Close {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::string path_;
    std::unique_ptr<std::FILE, Close> file_;
};

// "0x2a00007": how the log names a window.
std::string Hex(xcb_window_t window);

} // namespace testwm

#include "tests/desktop/testmanager/log.h"

namespace testwm {

Log::Log(const std::string& path)
    : path_(path), file_(path.empty() ? nullptr : std::fopen(path.c_str(), "w")) {}

void Log::Line(const std::string& line) {
    if (!file_)
        return;
    std::fputs((line + "\n").c_str(), file_.get());
    std::fflush(file_.get());
}

std::string Hex(xcb_window_t window) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(window));
    return text;
}

} // namespace testwm

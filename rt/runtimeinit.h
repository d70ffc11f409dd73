#pragma once
// Starts and ends the runtime: the Qt application object with the program's name, which also
// names the per-user folder that bare file names resolve to. The application gets a copy of the
// command line with the windowing platform chosen as rt/desktop/platformchoice.h says; the choice stays
// with this process and is not passed on to programs it starts. Qt is kept off the session bus
// (rt/desktop/sessionbus.h).

#include <memory>
#include <string>

namespace rt {

class RuntimeInit {
public:
    RuntimeInit(int argc, const char* const* argv, const std::string& applicationName);
    ~RuntimeInit();
    RuntimeInit(const RuntimeInit&) = delete;
    RuntimeInit& operator=(const RuntimeInit&) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace rt

#pragma once
// The windowing platform the program asks Qt for. The program places its windows and keeps its
// menu strip at fixed positions, which Wayland allows no program to do: where the user chose no
// platform and an X display is there (XWayland on a Wayland session), the program runs on Qt's X11
// platform, and falls back to Wayland only when that display cannot be reached.

#include <string>
#include <string_view>
#include <vector>

namespace rt {

// The command line Qt gets for `arguments` (the program's name first): X11 ahead of Wayland is
// asked for when `platformVariable` (the value of QT_QPA_PLATFORM) is empty, no argument chooses a
// platform and `display` (the value of DISPLAY) names an X display; otherwise the arguments as
// given.
std::vector<std::string> WithPlatformChoice(std::vector<std::string> arguments,
                                            std::string_view platformVariable, std::string_view display);

// The X display Qt's X11 platform connects to for `arguments` (the program's name first): the last
// -display option's, else `display` (the value of DISPLAY).
std::string XDisplayOf(const std::vector<std::string>& arguments, std::string_view display);

} // namespace rt

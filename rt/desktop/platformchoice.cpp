#include "rt/desktop/platformchoice.h"

#include <algorithm>
#include <iterator>

namespace rt {

namespace {

// Qt takes its options with one dash or two.
bool ChoosesPlatform(std::string_view argument) {
    return argument == "-platform" || argument == "--platform";
}

} // namespace

std::vector<std::string> WithPlatformChoice(std::vector<std::string> arguments,
                                            std::string_view platformVariable, std::string_view display) {
    if (arguments.empty() || !platformVariable.empty() || display.empty())
        return arguments;
    if (std::any_of(std::next(arguments.begin()), arguments.end(), ChoosesPlatform))
        return arguments;
    // Qt tries the platforms of the list in order, so a display that cannot be reached leaves the
    // program on Wayland instead of ending it.
    arguments.insert(std::next(arguments.begin()), {"-platform", "xcb;wayland"});
    return arguments;
}

std::string XDisplayOf(const std::vector<std::string>& arguments, std::string_view display) {
    std::string chosen(display);
    for (std::size_t i = 1; i + 1 < arguments.size(); ++i)
        if (arguments[i] == "-display" || arguments[i] == "--display")
            chosen = arguments[++i];
    return chosen;
}

} // namespace rt

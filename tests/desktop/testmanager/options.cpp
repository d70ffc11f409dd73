#include "tests/desktop/testmanager/options.h"

#include <charconv>
#include <limits>
#include <string_view>

namespace testwm {

const char* const kUsage =
    "usage: ambrelix_test_wm [--extents L,R,T,B] [--no-frame-answer | --frame-answers N] [--late-frame MS]\n"
    "                        [--late-state MS] [--no-selection] [--keep-state] [--no-map] [--log FILE]\n"
    "A window manager for the desktop tests. It frames every window it maps with the extents\n"
    "given (1,1,20,5 unless given), reports them as given and draws each side at most 10000\n"
    "pixels wide.\n";

namespace {

// A whole decimal number in [0, max], the whole of `text`.
std::optional<std::uint64_t> Number(std::string_view text, std::uint64_t max) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value > max)
        return std::nullopt;
    return value;
}

// "L,R,T,B", four CARDINALs.
std::optional<Extents> ParseExtents(std::string_view text) {
    std::uint32_t sides[4] = {};
    for (int side = 0; side < 4; ++side) {
        const std::size_t comma = side < 3 ? text.find(',') : text.size();
        if (comma == std::string_view::npos)
            return std::nullopt;
        const auto value = Number(text.substr(0, comma), std::numeric_limits<std::uint32_t>::max());
        if (!value)
            return std::nullopt;
        sides[side] = static_cast<std::uint32_t>(*value);
        text.remove_prefix(side < 3 ? comma + 1 : comma);
    }
    return Extents{sides[0], sides[1], sides[2], sides[3]};
}

} // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& arguments) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        const bool takesValue = option == "--extents" || option == "--frame-answers" ||
                                option == "--late-frame" || option == "--late-state" || option == "--log";
        if (takesValue && i + 1 == arguments.size())
            return {std::nullopt, option + " needs a value"};
        if (option == "--extents") {
            const auto extents = ParseExtents(arguments[++i]);
            if (!extents)
                return {std::nullopt, "--extents takes four whole numbers L,R,T,B below 2^32"};
            options.extents = *extents;
        } else if (option == "--late-frame") {
            // At most a day, so that the deadline cannot overflow the clock.
            const auto ms = Number(arguments[++i], 86'400'000);
            if (!ms)
                return {std::nullopt, "--late-frame takes milliseconds, at most 86400000"};
            options.lateFrame = std::chrono::milliseconds(*ms);
        } else if (option == "--late-state") {
            const auto ms = Number(arguments[++i], 86'400'000);
            if (!ms)
                return {std::nullopt, "--late-state takes milliseconds, at most 86400000"};
            options.lateState = std::chrono::milliseconds(*ms);
        } else if (option == "--log") {
            options.logPath = arguments[++i];
        } else if (option == "--frame-answers") {
            options.frameAnswers = Number(arguments[++i], std::numeric_limits<std::uint64_t>::max());
            if (!options.frameAnswers)
                return {std::nullopt, "--frame-answers takes a whole number"};
        } else if (option == "--no-frame-answer") {
            options.frameAnswers = 0;
        } else if (option == "--keep-state") {
            options.keepState = true;
        } else if (option == "--no-selection") {
            options.takeSelection = false;
        } else if (option == "--no-map") {
            options.mapWindows = false;
        } else {
            return {std::nullopt, "unknown option " + option};
        }
    }
    return {options, {}};
}

} // namespace testwm

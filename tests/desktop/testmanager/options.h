#pragma once
// The behaviour the tests' window manager is started with, read from its command line.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testwm {

// The frame's widths as the manager reports them in _NET_FRAME_EXTENTS, a CARDINAL each, so any
// 32-bit value; the frame it draws is clamped (frame.h).
struct Extents {
    std::uint32_t left = 1;
    std::uint32_t right = 1;
    std::uint32_t top = 20;
    std::uint32_t bottom = 5;
};

struct Options {
    Extents extents;
    // How many _NET_REQUEST_FRAME_EXTENTS the manager answers, the first ones; all when none is
    // given. The request is listed as supported all the same.
    // --no-frame-answer: none. --frame-answers N: the first N, then none.
    std::optional<std::uint64_t> frameAnswers;
    // --late-frame MS: a newly managed client gets _NET_FRAME_EXTENTS only this long after it
    // was mapped.
    std::optional<std::chrono::milliseconds> lateFrame;
    // --late-state MS: a newly managed client is mapped first and gets WM_STATE Normal only this
    // long after, as openbox often does.
    std::optional<std::chrono::milliseconds> lateState;
    // --keep-state: a client that unmaps itself keeps WM_STATE Normal.
    bool keepState = false;
    // --no-map: map requests are taken in and the windows left unmapped.
    bool mapWindows = true;
    // --no-selection: the manager takes no WM_S<n> selection and names itself only through
    // _NET_SUPPORTING_WM_CHECK, as fluxbox does.
    bool takeSelection = true;
    // --log FILE: one line per event handled; empty for none.
    std::string logPath;
};

// The options named by `arguments` (the program's name left out), or why they are wrong.
struct ParsedOptions {
    std::optional<Options> options;
    std::string error;
};
ParsedOptions ParseOptions(const std::vector<std::string>& arguments);

// What the command line takes, for the help and for an error.
extern const char* const kUsage;

} // namespace testwm

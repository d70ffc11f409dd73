#pragma once
// Small platform services: the yield to the event loop, the beep, the screen and the keyboard.

#include <cstdint>
#include <string>

namespace rt {

// Lets pending paint events run so that windows stay drawn. Cheap: most calls cost a counter
// test; events are processed at most about every 20 ms. User input that arrives meanwhile is not
// delivered to the program's handlers until the running command returns. The yields run on the
// main thread only; debug and sanitizer builds abort on a yield from another thread.
void RuntimeBackgroundTask();
// The same as `count` calls of RuntimeBackgroundTask in a row, for loops that pass over many
// elements with nothing to do: events are processed on the same calls as they would be.
void RuntimeBackgroundTasks(std::uint64_t count);
// A yield for a thread that waits for others to compute between its calls, which come too
// seldom for the counting above: reads the clock on every call.
void RuntimeBackgroundWait();
// Number of RuntimeBackgroundTask and RuntimeBackgroundWait calls since start (for tests).
std::uint64_t YieldCount();
// Replaces the millisecond clock that times the processing of events (for tests); null restores
// the system's monotonic clock. Either way the next yield that reads the clock processes events.
void SetYieldClock(std::int64_t (*nowMs)());

// Sounds the system beep and counts it.
void Beep();
std::int32_t BeepCount();

struct ScreenSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};
// Index 0 is the primary screen: the size in pixels of its area that the desktop's own panels
// leave free (its full size without panels).
ScreenSize Screen(std::int32_t index = 0);

namespace Keyboard {
// The Ctrl key (the platform's command key) is held down now.
bool AsyncCommandKey();
// Replaces the reading of the command key's state (for tests, which cannot hold a key of the
// window system down); null restores the window system's.
void SetCommandKeyReader(bool (*reader)());
bool AsyncShiftKey();
bool AsyncOptionKey();
} // namespace Keyboard

// Opens an address in the user's browser.
void ShowURL(const std::string& url);

// The clipboard's text.
void SetClipboardText(const std::string& text);
std::string ClipboardText();

} // namespace rt

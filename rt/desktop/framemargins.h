#pragma once
// The frame a window manager draws around a top-level window of the program. The manager says it
// in the window's _NET_FRAME_EXTENTS, once it holds the window or when asked before the window
// maps. The program asks each manager whether it answers at all (with a window of its own, as the
// program starts or a new manager takes the screen), asks it about a window only before the window
// maps and only while it has answered, and reads what it says with suspicion: extents that are
// negative or larger than a quarter of the screen are no answer.

#include <QMargins>
#include <QSize>
#include <functional>
#include <optional>

class QWidget;

namespace rt::detail {

// The margins of the frame drawn around a top-level window: off X those Qt knows; on X none
// without a manager, else the ones the manager says, else those of a framed window of the
// program, else a title bar above. Waits for the manager's answer only while the manager answers,
// at most 200 ms, and only once for a manager that does not answer.
QMargins FrameMargins(QWidget& window);
// The same without asking the manager: what it has said already, else the guess.
QMargins FrameMarginsSaidOrGuessed(QWidget& window);

// The extents a manager reported, where they can be the frame of a window on a screen of that size.
std::optional<QMargins> CheckedExtents(const std::optional<QMargins>& said, const QSize& screen);

// Asks the running manager now, without waiting, whether it answers frame requests.
void ProbeManager();

// Runs `placed` with the frame the manager says it draws around the shown window, placed with the
// frame `used`, where the manager says another, now or within the next seconds; not once the
// window is hidden.
void WhenFramed(QWidget& window, const QMargins& used, std::function<void(const QMargins& frame)> placed);

} // namespace rt::detail

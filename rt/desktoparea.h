#pragma once
// The desktop area: the part of a screen that the desktop leaves to programs, below and beside
// its own panels. It is the screen the program works on: the menu strip lies along its top edge,
// window positions are measured from its top-left corner, and its size is the screen size the
// program reads. Windows and dialogs that the runtime places keep clear of the strip.

#include <QMargins>
#include <QRect>
#include <functional>

class QScreen;
class QWidget;

namespace rt::detail {

// The available area of the screen (the primary screen when null); 800 x 600 without a screen.
QRect DesktopArea(const QScreen* screen = nullptr);

// Moves a top-level window about to show, whose content rectangle is already set, so that its
// frame keeps clear of the strip and within the area. A window whose frame is taller than the room
// below the strip is first given, through `shrink`, the greatest height that fits, where a shrink
// is given: a window manager would otherwise push it back up over the strip to keep it on screen.
void PlaceClear(QWidget& window, const std::function<void(int height)>& shrink = {});
// The same with the margins of the window's frame already known (rt/framemargins.h).
void PlaceClear(QWidget& window, const QMargins& frame, const std::function<void(int height)>& shrink = {});

} // namespace rt::detail

#pragma once
// The desktop area: the part of a screen that the desktop leaves to programs, below and beside
// its own panels. The primary screen's is the screen the program works on: the menu strip lies
// along its top edge, window positions are measured from its top-left corner, and its size is the
// screen size the program reads. Windows and dialogs that the runtime places keep within the area
// of the screen they belong to, and clear of the strip where it lies on that screen.

#include <QMargins>
#include <QRect>
#include <functional>

class QScreen;
class QWidget;

namespace rt::detail {

// The available area of the screen (the primary screen when null); 800 x 600 without a screen.
QRect DesktopArea(const QScreen* screen = nullptr);
// The available area of the screen a top-level window belongs to: for a dialog, its parent
// window's screen, on which Qt centres it; for any other window, the screen that holds the middle
// of its rectangle; the primary screen when none does.
QRect WindowArea(const QWidget& window);

// Moves a top-level window about to show, whose content rectangle is already set, so that its
// frame keeps clear of the strip and within the area of its screen (WindowArea). Where a shrink is
// given, a window whose frame is taller than the room below the strip is first given the greatest
// height that fits (a window manager would otherwise push it back up over the strip to keep it on
// screen), and one whose frame would pass the area's right edge the greatest width that fits
// right of its left edge, so that it does not move left over the windows beside it.
void PlaceClear(QWidget& window, const std::function<void(int width, int height)>& shrink = {});
// The margins of the frame the window is to be placed with: asked of the manager only where the
// frame could move the window, one lying near the strip or the area's edges; elsewhere what the
// manager has said or a guess, which places it alike.
QMargins FrameToPlaceWith(QWidget& window);
// The same with the margins of the window's frame already known (rt/desktop/framemargins.h).
void PlaceClear(QWidget& window, const QMargins& frame,
                const std::function<void(int width, int height)>& shrink = {});

} // namespace rt::detail

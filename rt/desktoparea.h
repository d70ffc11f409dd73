#pragma once
// The desktop area: the part of a screen that the desktop leaves to programs, below and beside
// its own panels. It is the screen the program works on: the menu strip lies along its top edge,
// window positions are measured from its top-left corner, and its size is the screen size the
// program reads. Windows and dialogs that the runtime places keep clear of the strip.

#include <QMargins>
#include <QRect>

class QScreen;
class QWidget;

namespace rt::detail {

// The available area of the screen (the primary screen when null); 800 x 600 without a screen.
QRect DesktopArea(const QScreen* screen = nullptr);

// The frame rectangle moved as little as needed to lie within the primary screen's area and
// below the menu strip; the strip wins where both cannot hold.
QRect KeptClear(const QRect& frame);

// The margins a window manager's frame adds around a top-level window: those of a framed window
// of the program when one shows, else a title bar's height above.
QMargins FrameMargins(const QWidget& window);

// Moves a top-level window about to show, whose content rectangle is already set, so that its
// frame keeps clear of the strip and within the area.
void PlaceClear(QWidget& window);

} // namespace rt::detail

#pragma once
// The screen area globali::scrx, scry that sizes the 2D editor, the drawing and the 3D view and
// fits pictures and data: the desktop area's width less 173 and height less 53. It is read at
// launch and read again where the program sizes its windows afresh, so a desktop panel that
// came, grew or moved since is kept clear of.

#include <cstdint>
#include <optional>

#include "rt/runtime.h"

namespace screenarea {

// A screen area and the desktop area it was read from (none when it was never read).
struct Reading {
    std::optional<rt::ScreenSize> desktop;
    std::int32_t scrx = 0;
    std::int32_t scry = 0;
};

// The screen area of the desktop area of this moment.
Reading OfDesktop();
// Makes the reading the program's screen area.
void Take(const Reading& reading);
// The screen area to size windows by now: the desktop's when its area changed since the program
// took one, the one in use otherwise (and before the first was taken).
Reading Latest();
// Takes the latest screen area, unless a picture is traced: the traced points lie at editor
// Y = scry - y, so a new scry would move them off the picture.
void Refresh();

} // namespace screenarea

#pragma once
// The program's menu strip as the desktop layer sees it: a window along the top of the desktop
// area that the program's other windows keep clear of, that owns no dialog and takes no keyboard
// back from a closed window while another window of the program shows, and that takes the keyboard
// once it is the only window of the program left. The application registers the strip it shows.

#include <QRect>
#include <xcb/xcb.h>

class QWidget;

namespace rt::detail {

class StripWindow {
public:
    // Where the strip lies on the screen.
    virtual QRect Band() const = 0;
    // Takes the keyboard, with the time of the event that led to it.
    virtual void TakeKeyboard(xcb_timestamp_t time) = 0;
    // The strip's top-level window.
    virtual const QWidget& StripWidget() const = 0;

protected:
    StripWindow() = default;
    ~StripWindow() = default;
    StripWindow(const StripWindow&) = default;
    StripWindow& operator=(const StripWindow&) = default;
};

// The strip the application shows; null without one.
StripWindow* Strip();
void SetStrip(StripWindow* strip);
// True when the window is the strip's.
bool IsStrip(const QWidget* window);

} // namespace rt::detail

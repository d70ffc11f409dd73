#include "rt/desktop/desktoparea.h"

#include <QDialog>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QSize>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <initializer_list>
#include <optional>

#include "rt/desktop/framemargins.h"
#include "rt/desktop/strip.h"
#include "rt/desktop/windowmanager.h"
#include "rt/desktop/xserver.h"

namespace rt::detail {

namespace {

// Where the manager shows the strip, with the frame it says it draws around it where that can be
// a frame. A manager may put the strip lower than the band it was given and frame it: awesome
// keeps every window, the strip too, below a bar of its own that no screen area it tells leaves
// out, and draws a border around it.
QRect Shown(const StripWindow& strip) {
    const QWidget& window = strip.StripWidget();
    const QScreen* screen = window.screen();
    const QSize size = screen != nullptr ? screen->geometry().size() : QSize();
    const std::optional<QMargins> frame =
        x11::ManagerRuns() ? CheckedExtents(x11::FrameExtents(x11::WindowOf(window)), size) : std::nullopt;
    return window.geometry().marginsAdded(frame.value_or(QMargins()));
}

// The highest top a frame may have in the area: just below the strip while it shows on the
// area's screen, below its band and below the place the manager shows it at.
int ClearTop(const QRect& area) {
    const StripWindow* strip = Strip();
    if (strip == nullptr || !strip->StripWidget().isVisible())
        return area.top();
    int bottom = area.top() - 1;
    for (const QRect& lies : {strip->Band(), Shown(*strip)})
        if (lies.intersects(area))
            bottom = std::max(bottom, lies.bottom());
    return bottom + 1;
}

// The frame rectangle moved as little as needed to lie within the area and below the menu strip;
// the strip wins where both cannot hold.
QRect KeptClear(const QRect& frame, const QRect& area) {
    const int top = ClearTop(area);
    QRect placed = frame;
    placed.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width())));
    placed.moveTop(std::max(top, std::min(frame.top(), area.bottom() + 1 - frame.height())));
    return placed;
}

} // namespace

QRect DesktopArea(const QScreen* screen) {
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

QRect WindowArea(const QWidget& window) {
    const QScreen* screen = nullptr;
    if (qobject_cast<const QDialog*>(&window) != nullptr) {
        const QWidget* parent = window.parentWidget() != nullptr ? window.parentWidget()->window() : nullptr;
        const QWindow* handle = window.windowHandle();
        if (parent != nullptr)
            screen = parent->screen();
        else if (handle != nullptr && handle->transientParent() != nullptr)
            screen = handle->transientParent()->screen();
    }
    if (screen == nullptr)
        screen = QGuiApplication::screenAt(window.geometry().center());
    return DesktopArea(screen);
}

QMargins FrameToPlaceWith(QWidget& window) {
    // Room for any title bar and border a manager draws, more than any seen.
    constexpr QMargins kRoomForAFrame(32, 64, 32, 32);
    QRect clear = WindowArea(window);
    clear.setTop(ClearTop(clear));
    if (clear.contains(window.geometry().marginsAdded(kRoomForAFrame)))
        return FrameMarginsSaidOrGuessed(window);
    return FrameMargins(window);
}

void PlaceClear(QWidget& window, const std::function<void(int width, int height)>& shrink) {
    PlaceClear(window, FrameToPlaceWith(window), shrink);
}

void PlaceClear(QWidget& window, const QMargins& margins,
                const std::function<void(int width, int height)>& shrink) {
    const QRect area = WindowArea(window);
    if (shrink) {
        const int below = area.bottom() + 1 - ClearTop(area) - margins.top() - margins.bottom();
        const int left = std::max(area.left(), window.geometry().left() - margins.left());
        const int across = area.right() + 1 - left - margins.left() - margins.right();
        const int width = across > 0 ? std::min(window.width(), across) : window.width();
        const int height = below > 0 ? std::min(window.height(), below) : window.height();
        if (width != window.width() || height != window.height())
            shrink(width, height);
    }
    const QRect frame = window.geometry().marginsAdded(margins);
    const QRect placed = KeptClear(frame, area);
    if (placed != frame)
        window.setGeometry(placed.marginsRemoved(margins));
}

} // namespace rt::detail

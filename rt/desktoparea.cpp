#include "rt/desktoparea.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "rt/application.h"
#include "rt/framemargins.h"
#include "rt/menustrip.h"

namespace rt::detail {

namespace {

// The highest top a frame may have: just below the strip while it shows.
int ClearTop(const QRect& area) {
    const Application* application = Application::Current();
    const MenuStrip* strip = application != nullptr ? application->Strip() : nullptr;
    if (strip == nullptr || !strip->isVisible())
        return area.top();
    return std::max(area.top(), strip->Band().bottom() + 1);
}

// The frame rectangle moved as little as needed to lie within the primary screen's area and below
// the menu strip; the strip wins where both cannot hold.
QRect KeptClear(const QRect& frame) {
    const QRect area = DesktopArea();
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

void PlaceClear(QWidget& window, const std::function<void(int height)>& shrink) {
    PlaceClear(window, FrameMargins(window), shrink);
}

void PlaceClear(QWidget& window, const QMargins& margins, const std::function<void(int height)>& shrink) {
    if (shrink) {
        const QRect area = DesktopArea();
        const int room = area.bottom() + 1 - ClearTop(area) - margins.top() - margins.bottom();
        if (room > 0 && window.height() > room)
            shrink(room);
    }
    const QRect frame = window.geometry().marginsAdded(margins);
    const QRect placed = KeptClear(frame);
    if (placed != frame)
        window.setGeometry(placed.marginsRemoved(margins));
}

} // namespace rt::detail

#include "rt/desktoparea.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <optional>

#include "rt/application.h"
#include "rt/menustrip.h"
#include "rt/xserver.h"

namespace rt::detail {

namespace {

// The lowest edge a frame may reach up to in the area: just below the strip while it shows on the
// area's screen.
int ClearTop(const QRect& area) {
    const Application* application = Application::Current();
    const MenuStrip* strip = application != nullptr ? application->Strip() : nullptr;
    if (strip == nullptr || !strip->isVisible() || !strip->Band().intersects(area))
        return area.top();
    return std::max(area.top(), strip->Band().bottom() + 1);
}

// How long a window manager may take to say which frame it would draw around a window.
constexpr int kFrameAnswerMs = 200;

QMargins MarginsOf(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect content = window.geometry();
    return {content.left() - frame.left(), content.top() - frame.top(), frame.right() - content.right(),
            frame.bottom() - content.bottom()};
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

// The margins of a framed window of the program other than `window`; none when none shows.
QMargins OtherFramedMargins(const QWidget& window) {
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == &window || !other->isVisible() || other->windowType() == Qt::Popup ||
            other->windowType() == Qt::ToolTip)
            continue;
        const QMargins margins = MarginsOf(*other);
        if (margins.top() > 0)
            return margins;
    }
    return {};
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

// Off X, the margins Qt knows. From a manager that does not say, those of a framed window of the
// program, or else a title bar's height above.
QMargins FrameMargins(QWidget& window) {
    if (x11::Connection() == nullptr)
        return window.windowHandle() != nullptr ? window.windowHandle()->frameMargins() : QMargins();
    if (!x11::ManagerRuns())
        return {};
    if (!window.testAttribute(Qt::WA_WState_Created))
        static_cast<void>(window.winId()); // creates the native window
    const xcb_window_t id = x11::WindowOf(window);
    const std::optional<QMargins> said =
        x11::HeldByManager(id) ? x11::FrameExtents(id) : x11::RequestFrameExtents(id, kFrameAnswerMs);
    if (said)
        return *said;
    const QMargins other = OtherFramedMargins(window);
    if (!other.isNull())
        return other;
    return {0, window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window), 0, 0};
}

void PlaceClear(QWidget& window, const std::function<void(int width, int height)>& shrink) {
    PlaceClear(window, FrameMargins(window), shrink);
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

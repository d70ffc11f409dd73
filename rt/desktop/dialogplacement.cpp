#include "rt/desktop/dialogplacement.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "rt/desktop/desktoparea.h"
#include "rt/desktop/framemargins.h"
#include "rt/desktop/strip.h"

namespace rt::detail {

namespace {

// The program's windows that may own dialogs, the one that had the keyboard or showed last first.
std::vector<QPointer<QWidget>> recent;
constexpr std::size_t kRecentWindows = 16;

// A tool window (a palette) serves a working window, which owns the dialogs opened from it.
bool MayOwnDialogs(const QWidget* window) {
    if (window == nullptr || !window->isVisible() || window->windowType() == Qt::Popup ||
        window->windowType() == Qt::ToolTip || window->windowType() == Qt::Tool)
        return false;
    return !IsStrip(window);
}

QWidget* WidgetOf(const QWindow* window) {
    if (window == nullptr)
        return nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->windowHandle() == window)
            return top;
    return nullptr;
}

// Where across Qt centres a dialog: on its parent window, or on its screen's area without one.
int CentreAcross(const QDialog& dialog) {
    const QWidget* parent = dialog.parentWidget() != nullptr ? dialog.parentWidget()->window() : nullptr;
    if (parent != nullptr)
        return parent->mapToGlobal(QPoint()).x() + parent->width() / 2;
    const QRect area = WindowArea(dialog);
    return area.x() + area.width() / 2;
}

void Remember(QWidget* window) {
    if (!MayOwnDialogs(window))
        return;
    recent.erase(
        std::remove_if(recent.begin(), recent.end(),
                       [&](const QPointer<QWidget>& seen) { return seen.isNull() || seen == window; }),
        recent.end());
    recent.insert(recent.begin(), window);
    if (recent.size() > kRecentWindows)
        recent.pop_back();
}

} // namespace

DialogPlacement::DialogPlacement() {
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [](QWindow* now) { Remember(WidgetOf(now)); });
    qApp->installEventFilter(this);
}

DialogPlacement::~DialogPlacement() = default;

bool DialogPlacement::eventFilter(QObject* watched, QEvent* event) {
    // A window that shows is where the user works next, until another has the keyboard; a manager
    // may give it the keyboard later than the program's next command.
    if (event->type() == QEvent::Show && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow())
        Remember(static_cast<QWidget*>(watched));
    // The window of a dialog shows once Qt has centred the dialog (QDialog::setVisible), and before
    // it maps.
    if (event->type() == QEvent::Show && watched->isWindowType()) {
        auto* dialog = qobject_cast<QDialog*>(WidgetOf(static_cast<QWindow*>(watched)));
        if (dialog != nullptr) {
            // Moved by us or not, a dialog shown again is centred again, as Qt does.
            const bool moved = dialog->testAttribute(Qt::WA_Moved);
            const QPoint centred = dialog->pos();
            const QMargins frame = FrameToPlaceWith(*dialog);
            PlaceClear(*dialog, frame);
            // Across, a dialog that had to move stays centred: Qt puts a dialog wider than the room
            // left of its parent's middle at the area's left edge instead (its clamp at the right
            // edge keeps the dialog inside, which needs no move).
            const bool atTheLeftEdge = centred.x() <= WindowArea(*dialog).left();
            if (dialog->pos() != centred && atTheLeftEdge) {
                dialog->move(CentreAcross(*dialog) - dialog->width() / 2, dialog->y());
                PlaceClear(*dialog, frame);
            }
            dialog->setAttribute(Qt::WA_Moved, moved);
            WhenFramed(*dialog, frame, [dialog = QPointer<QDialog>(dialog)](const QMargins& said) {
                if (dialog != nullptr)
                    PlaceClear(*dialog, said);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

QWidget* OwnerWindow() {
    QWidget* active = QApplication::activeWindow();
    if (MayOwnDialogs(active))
        return active;
    for (const QPointer<QWidget>& window : recent)
        if (MayOwnDialogs(window))
            return window;
    // Once every such window has closed, the window the last one belonged to.
    QWidget* window = recent.empty() ? nullptr : recent.front().data();
    while (window != nullptr && !MayOwnDialogs(window)) {
        QWidget* owner = window->parentWidget();
        if (owner == nullptr && window->windowHandle() != nullptr)
            owner = WidgetOf(window->windowHandle()->transientParent());
        window = owner != nullptr ? owner->window() : nullptr;
    }
    return window;
}

void BelongTo(QWidget& window, const QWidget* owner) {
    if (!window.testAttribute(Qt::WA_WState_Created))
        static_cast<void>(window.winId()); // creates the native window
    QWindow* handle = window.windowHandle();
    if (handle == nullptr)
        return;
    QWindow* parent = owner != nullptr ? owner->windowHandle() : nullptr;
    for (const QWindow* above = parent; above != nullptr; above = above->transientParent())
        if (above == handle)
            parent = nullptr;
    handle->setTransientParent(parent);
}

} // namespace rt::detail

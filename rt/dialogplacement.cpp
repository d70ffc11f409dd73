#include "rt/dialogplacement.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include "rt/application.h"
#include "rt/desktoparea.h"
#include "rt/menustrip.h"

namespace rt::detail {

namespace {

QPointer<QWidget> lastActive;

bool MayOwnDialogs(const QWidget* window) {
    if (window == nullptr || !window->isVisible() || window->windowType() == Qt::Popup ||
        window->windowType() == Qt::ToolTip)
        return false;
    const Application* application = Application::Current();
    return application == nullptr || window != application->Strip();
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

} // namespace

DialogPlacement::DialogPlacement() {
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [](QWindow* now) {
        QWidget* window = WidgetOf(now);
        if (MayOwnDialogs(window))
            lastActive = window;
    });
    qApp->installEventFilter(this);
}

DialogPlacement::~DialogPlacement() = default;

bool DialogPlacement::eventFilter(QObject* watched, QEvent* event) {
    // The window of a dialog shows after the dialog's own show event, in which Qt centres it, and
    // before it maps.
    if (event->type() == QEvent::Show && watched->isWindowType()) {
        auto* dialog = qobject_cast<QDialog*>(WidgetOf(static_cast<QWindow*>(watched)));
        if (dialog != nullptr) {
            // Moved by us or not, a dialog shown again is centred again, as Qt does.
            const bool moved = dialog->testAttribute(Qt::WA_Moved);
            const QPoint centred = dialog->pos();
            const QMargins frame = FrameMargins(*dialog);
            PlaceClear(*dialog, frame);
            // Across, a dialog that had to move stays centred where it can: Qt puts a dialog that
            // would leave the area at the area's edge instead, reckoning with a frame it guesses.
            const QRect area = WindowArea(*dialog);
            const bool atAnEdge = centred.x() <= area.left() || centred.x() + dialog->width() > area.right();
            if (dialog->pos() != centred && atAnEdge) {
                dialog->move(CentreAcross(*dialog) - dialog->width() / 2, dialog->y());
                PlaceClear(*dialog, frame);
            }
            dialog->setAttribute(Qt::WA_Moved, moved);
        }
    }
    return QObject::eventFilter(watched, event);
}

QWidget* OwnerWindow() {
    QWidget* active = QApplication::activeWindow();
    if (MayOwnDialogs(active))
        return active;
    // The window that had the keyboard last, or, once it has closed, the window it belonged to.
    QWidget* window = lastActive.data();
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

#include "rt/desktop/keyboardreturn.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "rt/desktop/dialogplacement.h"
#include "rt/desktop/strip.h"
#include "rt/desktop/windowmanager.h"
#include "rt/desktop/xevents.h"
#include "rt/desktop/xserver.h"

namespace rt::detail {

namespace {

// X's PointerRoot focus: the keyboard goes to the window under the pointer, which no program chose.
constexpr xcb_window_t kPointerRoot = 1;
// How long a manager may take to withdraw a window before the program stops waiting for it.
constexpr int kWithdrawalMs = 1000;
// How long after the strip took the keyboard it looks whether it still has it.
constexpr int kRetakeMs = 200;

bool IsWorkingWindow(const QWidget& window) {
    return window.isWindow() && window.windowType() != Qt::Popup && window.windowType() != Qt::ToolTip &&
           !IsStrip(&window);
}

bool StripShows() {
    const StripWindow* strip = Strip();
    return strip != nullptr && strip->StripWidget().isVisible();
}

// The program's window that the hidden window belonged to.
QWidget* BelongedTo(const QWidget& window) {
    if (window.parentWidget() != nullptr)
        return window.parentWidget()->window();
    const QWindow* parent =
        window.windowHandle() != nullptr ? window.windowHandle()->transientParent() : nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (parent != nullptr && top->windowHandle() == parent)
            return top;
    return nullptr;
}

bool OnlyTheStripShows() {
    for (const QWidget* top : QApplication::topLevelWidgets())
        if (!IsStrip(top) && top->isVisible() && top->windowType() != Qt::ToolTip)
            return false;
    return true;
}

} // namespace

bool KeyboardFree() {
    const xcb_window_t focus = x11::InputFocus();
    if (focus == XCB_WINDOW_NONE || focus == kPointerRoot || focus == x11::Root() || x11::OwnWindow(focus))
        return true;
    // A manager gives the keyboard to a window of its own while no program's window has it.
    return x11::SameClient(focus, x11::ManagerOwner());
}

bool ProgramHasKeyboard() {
    const xcb_window_t focus = x11::InputFocus();
    if (!x11::OwnWindow(focus))
        return false;
    for (const QWindow* window : QGuiApplication::topLevelWindows())
        if (window->isVisible() && window->handle() != nullptr &&
            static_cast<xcb_window_t>(window->winId()) == focus)
            return x11::Mapped(focus);
    return false;
}

KeyboardReturn::KeyboardReturn() {
    qApp->installEventFilter(this);
}

KeyboardReturn::~KeyboardReturn() {
    if (x11::Events* events = x11::Events::Get(); events != nullptr && listenKey_ >= 0)
        events->Unlisten(listenKey_);
    if (managerKey_ >= 0)
        x11::UnlistenManager(managerKey_);
}

bool KeyboardReturn::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && watched->isWidgetType()) {
        auto* window = static_cast<QWidget*>(watched);
        if (IsWorkingWindow(*window) && x11::WindowOf(*window) != XCB_WINDOW_NONE)
            Withdrawn(*window);
    }
    return QObject::eventFilter(watched, event);
}

void KeyboardReturn::Withdrawn(QWidget& window) {
    x11::Events* events = x11::Events::Get();
    if (events == nullptr)
        return;
    // The last window hidden decides; an earlier wait is over.
    if (listenKey_ >= 0)
        events->Unlisten(listenKey_);
    listenKey_ = -1;
    returnTo_ = BelongedTo(window);
    hidden_ = x11::WindowOf(window);
    const xcb_window_t hidden = hidden_;
    if (!x11::ManagerRuns() || !x11::HeldByManager(hidden)) {
        events->RequestTime([self = QPointer<KeyboardReturn>(this), hidden](xcb_timestamp_t time) {
            if (self != nullptr && self->hidden_ == hidden)
                self->GiveBack(time);
        });
        return;
    }
    const xcb_atom_t wmState = x11::Atom("WM_STATE");
    listenKey_ = events->Listen([this, hidden, wmState](xcb_window_t changed, xcb_atom_t property) {
        // The manager withdrew the window.
        if (hidden_ != hidden || changed != hidden || property != wmState || x11::HeldByManager(hidden))
            return;
        GiveBack(x11::Events::Get()->LatestTime());
    });
    // Or it ended.
    if (managerKey_ < 0)
        managerKey_ = x11::ListenManager([this](xcb_window_t manager) {
            if (manager != XCB_WINDOW_NONE || hidden_ == XCB_WINDOW_NONE)
                return;
            QTimer::singleShot(0, this, [this, hidden = hidden_] {
                if (hidden_ == hidden && hidden != XCB_WINDOW_NONE)
                    GiveBack(x11::Events::Get()->LatestTime());
            });
        });
    // A manager that leaves WM_STATE on windows it no longer shows is given a second.
    QTimer::singleShot(kWithdrawalMs, this, [this, hidden] {
        if (hidden_ == hidden)
            GiveBack(x11::Events::Get()->LatestTime());
    });
}

void KeyboardReturn::GiveBack(xcb_timestamp_t time) {
    x11::Events* events = x11::Events::Get();
    if (events != nullptr && listenKey_ >= 0)
        events->Unlisten(listenKey_);
    listenKey_ = -1;
    hidden_ = XCB_WINDOW_NONE;
    if (ProgramHasKeyboard() || !KeyboardFree())
        return;
    QWidget* target = returnTo_ != nullptr && returnTo_->isVisible() && IsWorkingWindow(*returnTo_)
                          ? returnTo_.data()
                          : OwnerWindow();
    if (target != nullptr) {
        target->activateWindow();
        // Without a manager the program itself sets the keyboard focus, as ICCCM allows.
        if (!x11::ManagerRuns())
            x11::TakeInputFocus(x11::WindowOf(*target), time);
        return;
    }
    StripWindow* strip = Strip();
    if (!StripShows() || !OnlyTheStripShows())
        return;
    strip->TakeKeyboard(time);
    // A manager that gives the keyboard to a window of its own as it withdraws a window may do so
    // after the strip took it; the strip then takes it once more, at a time after the manager's.
    QTimer::singleShot(kRetakeMs, this, [this] {
        x11::Events* events = x11::Events::Get();
        if (events == nullptr || ProgramHasKeyboard() || !KeyboardFree())
            return;
        events->RequestTime([self = QPointer<KeyboardReturn>(this)](xcb_timestamp_t now) {
            if (self != nullptr && StripShows() && OnlyTheStripShows() && !ProgramHasKeyboard() &&
                KeyboardFree())
                Strip()->TakeKeyboard(now);
        });
    });
}

} // namespace rt::detail

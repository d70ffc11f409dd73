#include "rt/menustrip.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "rt/application.h"
#include "rt/desktop/desktoparea.h"
#include "rt/desktop/xserver.h"
#include "rt/menu.h"
#include "rt/menuimpl.h"
#include "rt/widgetinternal.h"

namespace rt {

namespace {

// The text field that had the focus last outside the strip: the Edit items without handlers
// act on it.
QPointer<QWidget> lastFocus;

bool ModalWindowUp() {
    return QApplication::activeModalWidget() != nullptr;
}

// Input that could open a menu of the strip: a press, a key, the start of a shortcut.
bool OpensMenus(const QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        return true;
    default:
        return false;
    }
}

// The Motif hints (flags, functions, decorations, input mode, status) of a window that the
// manager may neither close, minimise, maximise, move nor resize, and decorates not at all.
const std::vector<std::uint32_t> kFixedWindowMotifHints = {1 | 2, 0, 0, 0, 0};
// WM_HINTS: the flag that says the ninth item, the window group, is set.
constexpr std::uint32_t kWindowGroupHint = 1U << 6;
constexpr std::size_t kWmHintsItems = 9;

} // namespace

namespace detail {

bool StandardEdit(const std::string& name, const std::string& shortcut) {
    const QKeySequence sequence = ShortcutSequence(shortcut);
    QWidget* target = QApplication::focusWidget();
    if (qobject_cast<QLineEdit*>(target) == nullptr)
        target = lastFocus.data();
    auto* field = qobject_cast<QLineEdit*>(target);
    if (field == nullptr)
        return false;
    if (name == "EditClear") {
        if (field->hasSelectedText())
            field->del();
        return true;
    }
    if (sequence.isEmpty())
        return false;
    if (sequence == QKeySequence(QKeySequence::Undo))
        field->undo();
    else if (sequence == QKeySequence(QKeySequence::Cut))
        field->cut();
    else if (sequence == QKeySequence(QKeySequence::Copy))
        field->copy();
    else if (sequence == QKeySequence(QKeySequence::Paste))
        field->paste();
    else
        return false;
    return true;
}

} // namespace detail

MenuStrip::MenuStrip(Application& application, MenuBar& bar)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      application_(application), bar_(new QMenuBar(this)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Menu"));
    bar_->setNativeMenuBar(false);
    for (std::int32_t i = 0; i < bar.Count(); ++i) {
        MenuItem& item = bar.Item(i);
        QMenu* menu = bar_->addMenu(detail::MenuCaption(item.Text()));
        Attach(*menu->menuAction(), item);
        connect(menu, &QMenu::aboutToShow, this,
                [this] { detail::Guarded([this] { application_.EnableMenuItems(); }); });
        AddItems(*menu, item);
    }
    Fit();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        connect(screen, &QScreen::availableGeometryChanged, this, &MenuStrip::Fit);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (qobject_cast<QLineEdit*>(now) != nullptr && now->window() != this)
            lastFocus = now;
    });
    // Once a window of the program has the keyboard again, the strip no longer takes it. A menu
    // that pops up takes the keyboard for the strip, which keeps it meanwhile.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* now) {
        if (now != nullptr && now != windowHandle() && now->type() != Qt::Popup)
            QTimer::singleShot(0, this, [this] { SetTakesKeyboard(false); });
    });
    qApp->installEventFilter(this);
}

MenuStrip::~MenuStrip() = default;

void MenuStrip::Fit() {
    const QRect area = detail::DesktopArea();
    const int height = std::max(bar_->sizeHint().height(), 20);
    band_ = QRect(area.x(), area.y(), area.width(), height);
    setGeometry(band_);
    bar_->setGeometry(0, 0, area.width(), height);
}

bool MenuStrip::eventFilter(QObject* watched, QEvent* event) {
    // A modal window's nested event loop must not start another command.
    if (ModalWindowUp() && OpensMenus(*event)) {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this)
            return true;
    }
    // Nor may a shortcut of the strip's items, whichever window of the modal one has the keyboard.
    if (ModalWindowUp() && event->type() == QEvent::Shortcut) {
        for (const QObject* owner = watched; owner != nullptr; owner = owner->parent())
            if (owner == this)
                return true;
    }
    if (event->type() == QEvent::KeyPress && OpenMenuByMnemonic(watched, *static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool MenuStrip::OpenMenuByMnemonic(QObject* watched, const QKeyEvent& key) {
    // In the strip's own window the bar opens its menus itself.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (key.modifiers() != Qt::AltModifier || widget == nullptr || widget->window() == this ||
        widget->window()->windowType() == Qt::Popup || !isVisible() || ModalWindowUp())
        return false;
    const QKeySequence pressed(key.modifiers() | key.key());
    for (QAction* action : bar_->actions()) {
        if (action->isEnabled() && action->isVisible() && QKeySequence::mnemonic(action->text()) == pressed) {
            bar_->setActiveAction(action);
            return true;
        }
    }
    return false;
}

void MenuStrip::TakeKeyboard(xcb_timestamp_t time) {
    SetTakesKeyboard(true);
    activateWindow();
    // Some managers (xfwm4) read the focus hint only as they take a window in, and refuse to
    // activate a window that had none then; the strip then takes the keyboard itself.
    x11::TakeInputFocus(x11::WindowOf(*this), time);
}

void MenuStrip::SetTakesKeyboard(bool takes) {
    if (!isVisible() || takes != windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus))
        return;
    // The native window takes the new focus hint as it is, without being hidden and shown again.
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowDoesNotAcceptFocus, !takes);
    overrideWindowFlags(flags);
    windowHandle()->setFlags(flags);
    HintManager();
}

void MenuStrip::showEvent(QShowEvent* event) {
    // Sent before the native window is mapped: hints the manager reads when it takes the window in.
    HintManager();
    QWidget::showEvent(event);
}

void MenuStrip::closeEvent(QCloseEvent* event) {
    // Without the strip no menu, and no shortcut, would be left.
    event->ignore();
}

void MenuStrip::HintManager() {
    const xcb_window_t window = x11::WindowOf(*this);
    if (window == XCB_WINDOW_NONE)
        return;
    const xcb_atom_t motif = x11::Atom("_MOTIF_WM_HINTS");
    x11::SetProperty32(window, motif, motif, kFixedWindowMotifHints);
    // A group of its own: some managers lift the program's tool windows, which Qt makes transient
    // for the program's group, to the layer of the group's highest window, over the strip.
    x11::SetProperty32(window, x11::Atom("WM_CLIENT_LEADER"), XCB_ATOM_WINDOW, {window});
    std::vector<std::uint32_t> hints =
        x11::Property32(window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, kWmHintsItems)
            .value_or(std::vector<std::uint32_t>{});
    hints.resize(kWmHintsItems, 0);
    hints[0] |= kWindowGroupHint;
    hints[kWmHintsItems - 1] = window;
    x11::SetProperty32(window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, hints);
    // While the strip refuses the keyboard it also offers the manager no WM_TAKE_FOCUS, which Qt
    // lists for every window: a manager that gives the keyboard to a window as it is clicked
    // (awesome) would take it from the program's working window as a menu title is pressed, and
    // Qt closes a menu that has just opened when the keyboard then leaves the program.
    x11::ListAtom(window, x11::Atom("WM_PROTOCOLS"), x11::Atom("WM_TAKE_FOCUS"),
                  !windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    // Qt adds its own states to these when it maps the window; a manager drops them all when it
    // withdraws it.
    if (!x11::Mapped(window))
        x11::AddStates(window, {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"});
}

void MenuStrip::Attach(QAction& action, MenuItem& item) {
    auto& actions = item.NativeImpl().actions;
    actions.erase(
        std::remove_if(actions.begin(), actions.end(), [](const QPointer<QAction>& a) { return !a; }),
        actions.end());
    actions.emplace_back(&action);
    action.setEnabled(item.Enabled());
}

void MenuStrip::AddItems(QMenu& menu, MenuItem& parent) {
    for (std::int32_t i = 0; i < parent.Count(); ++i) {
        MenuItem& item = parent.Item(i);
        if (item.Text() == "-" && item.Count() == 0) {
            menu.addSeparator();
            continue;
        }
        if (item.Count() > 0) {
            QMenu* submenu = menu.addMenu(detail::MenuCaption(item.Text()));
            Attach(*submenu->menuAction(), item);
            AddItems(*submenu, item);
            continue;
        }
        QAction* action = menu.addAction(detail::MenuCaption(item.Text()));
        action->setShortcut(detail::ShortcutSequence(item.KeyboardShortcut()));
        action->setShortcutContext(Qt::ApplicationShortcut);
        if (item.ItemKind() == MenuItem::Kind::Quit)
            action->setMenuRole(QAction::QuitRole);
        Attach(*action, item);
        MenuItem* chosen = &item;
        connect(action, &QAction::triggered, this,
                [chosen] { detail::Guarded([chosen] { chosen->Trigger(); }); });
    }
}

QAction* MenuStrip::ActionOf(const MenuItem& item) const {
    for (const QPointer<QAction>& action : item.NativeImpl().actions) {
        if (!action)
            continue;
        for (QObject* owner = action->parent(); owner != nullptr; owner = owner->parent()) {
            if (owner == this)
                return action.data();
        }
    }
    return nullptr;
}

QMenu* MenuStrip::MenuOf(const MenuItem& item) const {
    QAction* action = ActionOf(item);
    return action != nullptr ? action->menu() : nullptr;
}

} // namespace rt

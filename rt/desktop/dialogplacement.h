#pragma once
// Where dialogs open and which window of the program they belong to. Qt centres a dialog on its
// parent window as it shows; only when the dialog's frame would then cover the menu strip or
// leave the desktop area of the parent's screen is it moved, as little as needed. A dialog belongs
// to the program's window that had the keyboard when it opened, so that the window manager gives
// the keyboard back to that window when the dialog closes.

#include <QObject>

class QEvent;
class QWidget;

namespace rt::detail {

// Watches the whole application while it exists: keeps dialogs clear of the strip as they show,
// and remembers the program's windows that had the keyboard or showed last.
class DialogPlacement : public QObject {
public:
    DialogPlacement();
    ~DialogPlacement() override;
    DialogPlacement(const DialogPlacement&) = delete;
    DialogPlacement& operator=(const DialogPlacement&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The program's window that has the keyboard, else the one that had it or showed last while it
// still shows; never the menu strip, a popup or a tool window (a palette serves a working window,
// which owns the dialogs opened from it). Null when there is none.
QWidget* OwnerWindow();
// Makes the top-level window, about to show, belong to the owner's window (transient for it, as
// the window manager reads it); to none when the owner is null or would belong to the window.
void BelongTo(QWidget& window, const QWidget* owner);

} // namespace rt::detail

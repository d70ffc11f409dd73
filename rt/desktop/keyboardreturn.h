#pragma once
// The keyboard after a window of the program closes. A window manager gives the keyboard back to
// the window a closed dialog belonged to; some do not (or not always), and without a manager no
// one does. Once the manager has withdrawn the closed window (without a manager at once), if no
// window has the keyboard, or only the manager's own, the program gives it to the window the
// closed one belonged to, else to the program's window that had it last, else to the menu strip
// when nothing else of the program shows. It never takes the keyboard from another program's
// window, and takes it with the time of an event, as ICCCM 4.1.7 asks.

#include <QObject>
#include <QPointer>
#include <xcb/xcb.h>

class QEvent;
class QWidget;

namespace rt::detail {

// Watches the whole application while it exists.
class KeyboardReturn : public QObject {
public:
    KeyboardReturn();
    ~KeyboardReturn() override;
    KeyboardReturn(const KeyboardReturn&) = delete;
    KeyboardReturn& operator=(const KeyboardReturn&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A window of the program was hidden: waits for the manager to withdraw it.
    void Withdrawn(QWidget& window);
    void GiveBack(xcb_timestamp_t time);

    QPointer<QWidget> returnTo_;
    xcb_window_t hidden_ = XCB_WINDOW_NONE;
    int listenKey_ = -1;
    int managerKey_ = -1;
};

// True while the keyboard is no one's (None, PointerRoot, the root), the window manager's own
// window's, or on a window of the program; false while another program's window has it.
bool KeyboardFree();
// True while a viewable window of the program has the X keyboard focus.
bool ProgramHasKeyboard();

} // namespace rt::detail

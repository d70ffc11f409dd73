#pragma once
// The program uses no service of the desktop's D-Bus session bus, and keeps Qt from waiting on it:
// a bus that takes connections and never answers (a hung desktop, an address left over from
// another login) would hold up the start, the first showing of a window and each file dialog for
// D-Bus's timeouts.
// - Qt asks the bus for a global menu bar, which the program does not use: its menus are in the
//   strip.
// - Dialogs are Qt's own, never the desktop's through Qt's GTK theme, whose file chooser asks the
//   bus for the desktop's document portal; the program places Qt's own (rt/desktop/dialogplacement.h).
// - Qt's accessibility bridge (AT-SPI), which connects to its bus without a timeout, is given the
//   address of an accessibility bus that has answered within half a second of the start
//   (rt/desktop/accessibilitybus.h: the user's AT_SPI_BUS_ADDRESS, the X display's, else the one
//   the session bus names), else a bus that refuses it at once: accessibility is then off for the
//   run. GTK's bridge, which Qt's GTK theme would start, is not started: the program shows no GTK
//   window.
// The environment is left as it was, for the programs the program starts.

#include <string>

#include "rt/desktop/accessibilitybus.h"

namespace rt::detail {

// Made before the QApplication, which it overlaps with the search for the accessibility bus; its
// end leaves the environment as it was.
class OffSessionBus {
public:
    // `display`: the X display Qt is to connect to; empty without one.
    explicit OffSessionBus(const std::string& display);
    ~OffSessionBus();
    OffSessionBus(const OffSessionBus&) = delete;
    OffSessionBus& operator=(const OffSessionBus&) = delete;

    // Once the QApplication exists, before any window shows: waits for the search, at most until
    // its deadline, and starts Qt's accessibility bridge.
    void StartAccessibility();

private:
    bool gtkBridgeOff_;
    AccessibilityBusSearch search_;
};

} // namespace rt::detail

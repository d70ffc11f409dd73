#pragma once
// The program uses no service of the desktop's D-Bus session bus, and keeps Qt from waiting on it:
// a bus that takes connections and never answers (a hung desktop, an address left over from
// another login) would hold up the start, the first showing of a window and each file dialog for
// D-Bus's timeouts.
// - Qt asks the bus for a global menu bar, which the program does not use: its menus are in the
//   strip.
// - Dialogs are Qt's own, never the desktop's through Qt's GTK theme, whose file chooser asks the
//   bus for the desktop's document portal; the program places Qt's own (rt/desktop/dialogplacement.h).
// - Qt's accessibility bridge (AT-SPI) asks the bus for the accessibility bus unless it is given
//   that bus's address: it gets the address the X display names (AT_SPI_BUS on the root window,
//   which the accessibility bus's launcher sets), so screen readers reach the program on such a
//   desktop; without one it connects to no bus. An address the user set in AT_SPI_BUS_ADDRESS is
//   kept. GTK's bridge, which Qt's GTK theme would start, is not started: the program shows no
//   GTK window.
// The environment is left as it was, for the programs the program starts.

namespace rt::detail {

// Made before the QApplication; its end leaves the environment as it was.
class OffSessionBus {
public:
    OffSessionBus();
    ~OffSessionBus();
    OffSessionBus(const OffSessionBus&) = delete;
    OffSessionBus& operator=(const OffSessionBus&) = delete;

    // Once the QApplication exists, before any window shows: starts Qt's accessibility bridge.
    void StartAccessibility() const;

private:
    bool gtkBridgeOff_;
};

} // namespace rt::detail

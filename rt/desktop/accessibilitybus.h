#pragma once
// The search for the accessibility bus (AT-SPI) that Qt's accessibility bridge is to join, off the
// GUI thread and within one deadline: Qt's bridge connects to the bus it is given without a
// timeout, so it is given only a bus that has answered. The places, in order, the first whose bus
// answers Hello winning:
// - the address the user set in AT_SPI_BUS_ADDRESS, and then only it;
// - the address on the X display's root window (AT_SPI_BUS), which the bus's launcher sets on an X
//   session started with a display;
// - the address the session bus names (org.a11y.Bus.GetAddress), where the launcher runs on it,
//   as on a Wayland session, without starting the launcher. The session bus is
//   DBUS_SESSION_BUS_ADDRESS, else, as libdbus finds it, the socket `bus` in XDG_RUNTIME_DIR.
// One place whose bus never answers uses up the deadline.

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <xcb/xcb.h>

#include "rt/desktop/busprobe.h"

namespace rt::detail {

// Where the search looks, read on the GUI thread; empty where unset.
struct AccessibilityBusPlaces {
    std::string own;           // AT_SPI_BUS_ADDRESS
    std::string display;       // the X display Qt connects to
    std::string sessionBus;    // DBUS_SESSION_BUS_ADDRESS
    std::string runtimeFolder; // XDG_RUNTIME_DIR
};

class AccessibilityBusSearch {
public:
    // Connects to the X display, if one is to be asked, on the calling thread, as Qt does, and
    // starts the search on a thread of its own, which ends by itself by the deadline.
    AccessibilityBusSearch(const AccessibilityBusPlaces& places, std::chrono::milliseconds within);
    ~AccessibilityBusSearch();
    AccessibilityBusSearch(const AccessibilityBusSearch&) = delete;
    AccessibilityBusSearch& operator=(const AccessibilityBusSearch&) = delete;

    // The entry of the address list of the bus that answered; empty when none did by the deadline.
    // Waits until the deadline at most; asked once.
    std::string Found();

private:
    dbus::Deadline deadline_;
    // The search's own connection to the X display, closed only once the application's is open:
    // the last client to leave an X server resets it, which would refuse Qt's connection then.
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> x_;
    std::future<std::string> found_;
    std::thread worker_;
};

} // namespace rt::detail

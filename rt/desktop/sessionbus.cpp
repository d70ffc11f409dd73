#include "rt/desktop/sessionbus.h"

#include <QAccessible>
#include <QByteArray>
#include <QCoreApplication>
#include <QtGlobal>
#include <cstdint>
#include <xcb/xcb.h>

#include "rt/desktop/xserver.h"

namespace rt::detail {

namespace {

// Read by Qt's accessibility bridge as it starts.
constexpr char kAccessibilityBus[] = "AT_SPI_BUS_ADDRESS";
// Set, it keeps GTK from starting its bridge.
constexpr char kNoGtkBridge[] = "NO_AT_BRIDGE";
// A connection to it is refused at once: no bus is there.
constexpr char kNoBus[] = "unix:path=/dev/null";
// The longest address read, in 32-bit units.
constexpr std::uint32_t kLongestAddress = 1024;

// The accessibility bus's address on the X display's root window; empty off X or without one.
QByteArray AccessibilityBusOfDisplay() {
    xcb_connection_t* c = x11::Connection();
    if (c == nullptr)
        return {};
    const auto address = x11::Take(xcb_get_property_reply(
        c, xcb_get_property(c, 0, x11::Root(), x11::Atom("AT_SPI_BUS"), XCB_ATOM_STRING, 0, kLongestAddress),
        nullptr));
    if (!address || address->format != 8)
        return {};
    return {static_cast<const char*>(xcb_get_property_value(address.get())),
            xcb_get_property_value_length(address.get())};
}

} // namespace

OffSessionBus::OffSessionBus() : gtkBridgeOff_(!qEnvironmentVariableIsSet(kNoGtkBridge)) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    if (gtkBridgeOff_)
        qputenv(kNoGtkBridge, "1");
}

OffSessionBus::~OffSessionBus() {
    if (gtkBridgeOff_)
        qunsetenv(kNoGtkBridge);
}

void OffSessionBus::StartAccessibility() const {
    // The platform creates its bridge when first asked, and the bridge reads the address then.
    if (!qEnvironmentVariableIsEmpty(kAccessibilityBus)) {
        static_cast<void>(QAccessible::isActive());
        return;
    }
    const bool setEmpty = qEnvironmentVariableIsSet(kAccessibilityBus);
    const QByteArray ofDisplay = AccessibilityBusOfDisplay();
    qputenv(kAccessibilityBus, ofDisplay.isEmpty() ? QByteArray(kNoBus) : ofDisplay);
    static_cast<void>(QAccessible::isActive());
    if (setEmpty)
        qputenv(kAccessibilityBus, QByteArray());
    else
        qunsetenv(kAccessibilityBus);
}

} // namespace rt::detail

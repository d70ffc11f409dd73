#include "rt/desktop/sessionbus.h"

#include <QAccessible>
#include <QByteArray>
#include <QCoreApplication>
#include <QtGlobal>
#include <chrono>
#include <optional>

namespace rt::detail {

namespace {

// Read by Qt's accessibility bridge as it starts.
constexpr char kAccessibilityBus[] = "AT_SPI_BUS_ADDRESS";
// Set, it keeps GTK from starting its bridge.
constexpr char kNoGtkBridge[] = "NO_AT_BRIDGE";
// A connection to it is refused at once: no bus is there.
constexpr char kNoBus[] = "unix:path=/dev/null";
// How long the start may wait for an accessibility bus to answer.
constexpr std::chrono::milliseconds kAccessibilityBusWait{500};

std::string Variable(const char* name) {
    return qgetenv(name).toStdString();
}

AccessibilityBusPlaces PlacesToLook(const std::string& display) {
    return {Variable(kAccessibilityBus), display, Variable("DBUS_SESSION_BUS_ADDRESS"),
            Variable("XDG_RUNTIME_DIR")};
}

} // namespace

OffSessionBus::OffSessionBus(const std::string& display)
    : gtkBridgeOff_(!qEnvironmentVariableIsSet(kNoGtkBridge)),
      search_(PlacesToLook(display), kAccessibilityBusWait) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    if (gtkBridgeOff_)
        qputenv(kNoGtkBridge, "1");
}

OffSessionBus::~OffSessionBus() {
    if (gtkBridgeOff_)
        qunsetenv(kNoGtkBridge);
}

void OffSessionBus::StartAccessibility() {
    const std::string found = search_.Found();
    // The platform creates its bridge when first asked, and the bridge reads the address then.
    const std::optional<QByteArray> before = qEnvironmentVariableIsSet(kAccessibilityBus)
                                                 ? std::optional(qgetenv(kAccessibilityBus))
                                                 : std::nullopt;
    qputenv(kAccessibilityBus, found.empty() ? QByteArray(kNoBus) : QByteArray::fromStdString(found));
    static_cast<void>(QAccessible::isActive());
    if (before)
        qputenv(kAccessibilityBus, *before);
    else
        qunsetenv(kAccessibilityBus);
}

} // namespace rt::detail

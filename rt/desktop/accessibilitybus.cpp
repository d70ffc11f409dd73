#include "rt/desktop/accessibilitybus.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include "rt/desktop/xserver.h"

namespace rt::detail {

namespace {

// The longest address read from the root window, in 32-bit units.
constexpr std::uint32_t kLongestAddress = 1024;

// The X server's reply to the request of that sequence number; none when it gave none by the
// deadline. The connection is read without blocking, never past the deadline.
template <class R> x11::Reply<R> Await(xcb_connection_t* c, unsigned int sequence, dbus::Deadline deadline) {
    xcb_flush(c);
    for (;;) {
        void* reply = nullptr;
        xcb_generic_error_t* error = nullptr;
        if (xcb_poll_for_reply(c, sequence, &reply, &error) != 0) {
            std::free(error);
            return x11::Take(static_cast<R*>(reply));
        }
        if (!dbus::WaitFor(xcb_get_file_descriptor(c), POLLIN, deadline))
            return x11::Take<R>(nullptr);
    }
}

// The address on the root window of the connection's screen; empty without one.
std::string AddressOfDisplay(xcb_connection_t* c, int screenNumber, dbus::Deadline deadline) {
    constexpr char kProperty[] = "AT_SPI_BUS";
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int n = 0; n < screenNumber && screens.rem > 0; ++n)
        xcb_screen_next(&screens);
    if (screens.rem <= 0)
        return {};
    const auto atom = Await<xcb_intern_atom_reply_t>(
        c, xcb_intern_atom(c, 1, static_cast<std::uint16_t>(std::strlen(kProperty)), kProperty).sequence,
        deadline);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return {};
    const auto address = Await<xcb_get_property_reply_t>(
        c,
        xcb_get_property(c, 0, screens.data->root, atom->atom, XCB_ATOM_STRING, 0, kLongestAddress).sequence,
        deadline);
    if (!address || address->format != 8)
        return {};
    return {static_cast<const char*>(xcb_get_property_value(address.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(address.get()))};
}

// The session bus libdbus finds where DBUS_SESSION_BUS_ADDRESS is unset: the user's own socket
// `bus` in the runtime folder.
std::vector<dbus::UnixSocket> SessionBusOfRuntimeFolder(const std::string& folder) {
    if (folder.empty())
        return {};
    const std::string path = folder + "/bus";
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISSOCK(status.st_mode) || status.st_uid != ::getuid())
        return {};
    return dbus::UnixSockets("unix:path=" + path);
}

std::string Search(const AccessibilityBusPlaces& places, xcb_connection_t* x, int screenNumber,
                   dbus::Deadline deadline) {
    if (!places.own.empty())
        return dbus::AnsweringEntry(places.own, deadline).value_or("");
    if (x != nullptr) {
        const std::string ofDisplay = AddressOfDisplay(x, screenNumber, deadline);
        if (const std::optional<std::string> entry = dbus::AnsweringEntry(ofDisplay, deadline))
            return *entry;
    }
    const std::vector<dbus::UnixSocket> sessionBus = places.sessionBus.empty()
                                                         ? SessionBusOfRuntimeFolder(places.runtimeFolder)
                                                         : dbus::UnixSockets(places.sessionBus);
    const std::string named = dbus::AccessibilityBusOf(sessionBus, deadline);
    return dbus::AnsweringEntry(named, deadline).value_or("");
}

} // namespace

AccessibilityBusSearch::AccessibilityBusSearch(const AccessibilityBusPlaces& places,
                                               std::chrono::milliseconds within)
    : deadline_(std::chrono::steady_clock::now() + within), x_(nullptr, &xcb_disconnect) {
    // Connected here, not on the worker: libxcb reads the environment (XAUTHORITY) as it connects,
    // which Qt changes on this thread as it starts (it drops DESKTOP_STARTUP_ID).
    int screenNumber = 0;
    if (places.own.empty() && !places.display.empty()) {
        x_.reset(xcb_connect(places.display.c_str(), &screenNumber));
        if (xcb_connection_has_error(x_.get()) != 0)
            x_.reset();
    }
    std::packaged_task<std::string()> task([places, x = x_.get(), screenNumber, deadline = deadline_] {
        return Search(places, x, screenNumber, deadline);
    });
    found_ = task.get_future();
    worker_ = std::thread(std::move(task));
}

AccessibilityBusSearch::~AccessibilityBusSearch() {
    if (worker_.joinable())
        worker_.join();
}

std::string AccessibilityBusSearch::Found() {
    std::string found;
    if (found_.valid() && found_.wait_until(deadline_) == std::future_status::ready)
        found = found_.get();
    if (worker_.joinable())
        worker_.join();
    return found;
}

} // namespace rt::detail

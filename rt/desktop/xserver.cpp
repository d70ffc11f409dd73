#include "rt/desktop/xserver.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <string>
#include <unordered_map>

namespace rt::x11 {

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

namespace {

// The number of the screen DISPLAY names (":0.1" is screen 1).
int DisplayScreenNumber() {
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype colon = display.lastIndexOf(':');
    const qsizetype dot = display.indexOf('.', colon < 0 ? 0 : colon);
    if (colon < 0 || dot < 0)
        return 0;
    bool ok = false;
    const int number = display.mid(dot + 1).toInt(&ok);
    return ok && number >= 0 ? number : 0;
}

} // namespace

xcb_window_t Root() {
    static xcb_connection_t* foundOn = nullptr;
    static xcb_window_t found = XCB_WINDOW_NONE;
    xcb_connection_t* connection = Connection();
    if (connection == nullptr)
        return XCB_WINDOW_NONE;
    if (foundOn == connection)
        return found;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    if (screens.rem == 1)
        return screens.data->root;
    // Qt may have connected to another screen than DISPLAY names (its -display option).
    for (const QWindow* window : QGuiApplication::allWindows()) {
        if (window->handle() == nullptr)
            continue;
        const auto id = static_cast<xcb_window_t>(window->winId());
        const auto tree = Take(xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr));
        if (tree) {
            foundOn = connection;
            found = tree->root;
            return found;
        }
    }
    for (int number = DisplayScreenNumber(); number > 0 && screens.rem > 1; --number)
        xcb_screen_next(&screens);
    return screens.data->root;
}

int RootScreenNumber() {
    const xcb_window_t root = Root();
    int number = 0;
    for (xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(Connection()));
         screens.rem > 0; xcb_screen_next(&screens), ++number)
        if (screens.data->root == root)
            return number;
    return 0;
}

xcb_atom_t Atom(const char* name) {
    static xcb_connection_t* internedOn = nullptr;
    static std::unordered_map<std::string, xcb_atom_t> atoms;
    xcb_connection_t* connection = Connection();
    if (connection == nullptr)
        return XCB_ATOM_NONE;
    if (internedOn != connection) {
        atoms.clear();
        internedOn = connection;
    }
    const auto found = atoms.find(name);
    if (found != atoms.end())
        return found->second;
    const auto length = static_cast<std::uint16_t>(qstrlen(name));
    const auto reply =
        Take(xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, length, name), nullptr));
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    atoms.emplace(name, atom);
    return atom;
}

xcb_window_t WindowOf(const QWidget& window) {
    if (Connection() == nullptr || !window.testAttribute(Qt::WA_WState_Created))
        return XCB_WINDOW_NONE;
    return static_cast<xcb_window_t>(window.internalWinId());
}

std::optional<std::vector<std::uint32_t>> Property32(xcb_window_t window, xcb_atom_t property,
                                                     xcb_atom_t type, std::uint32_t count) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || window == XCB_WINDOW_NONE || property == XCB_ATOM_NONE)
        return std::nullopt;
    // A window that is gone is no error of the program's: its error is taken here, not reported.
    xcb_generic_error_t* error = nullptr;
    const auto reply = Take(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, count), &error));
    std::free(error);
    if (!reply || reply->format != 32 || reply->type == XCB_ATOM_NONE ||
        (type != XCB_ATOM_ANY && reply->type != type))
        return std::nullopt;
    const int items = xcb_get_property_value_length(reply.get()) / 4;
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return std::vector<std::uint32_t>(values, values + items);
}

void SetProperty32(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                   const std::vector<std::uint32_t>& values) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || window == XCB_WINDOW_NONE || property == XCB_ATOM_NONE)
        return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, type, 32,
                        static_cast<std::uint32_t>(values.size()), values.data());
}

bool HeldByManager(xcb_window_t window) {
    const xcb_atom_t wmState = Atom("WM_STATE");
    const auto state = Property32(window, wmState, wmState, 1);
    return state && !state->empty() && state->front() != 0;
}

bool Mapped(xcb_window_t window) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || window == XCB_WINDOW_NONE)
        return true;
    const auto attributes = Take(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr));
    return !attributes || attributes->map_state != XCB_MAP_STATE_UNMAPPED;
}

void Map(xcb_window_t window) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || window == XCB_WINDOW_NONE)
        return;
    xcb_map_window(connection, window);
    xcb_flush(connection);
}

void SelectEvents(xcb_window_t window, std::uint32_t mask) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || window == XCB_WINDOW_NONE)
        return;
    const auto attributes = Take(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr));
    if (!attributes)
        return;
    const std::uint32_t events = attributes->your_event_mask | mask;
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &events);
    xcb_flush(connection);
}

void ListAtom(xcb_window_t window, xcb_atom_t property, xcb_atom_t atom, bool listed) {
    constexpr std::uint32_t kLongestList = 64;
    std::vector<std::uint32_t> atoms =
        Property32(window, property, XCB_ATOM_ATOM, kLongestList).value_or(std::vector<std::uint32_t>{});
    const auto found = std::find(atoms.begin(), atoms.end(), atom);
    if (listed == (found != atoms.end()))
        return;
    if (listed)
        atoms.push_back(atom);
    else
        atoms.erase(found);
    SetProperty32(window, property, XCB_ATOM_ATOM, atoms);
}

void AddStates(xcb_window_t window, const std::vector<const char*>& names) {
    const xcb_atom_t property = Atom("_NET_WM_STATE");
    std::vector<std::uint32_t> states =
        Property32(window, property, XCB_ATOM_ATOM, 64).value_or(std::vector<std::uint32_t>{});
    for (const char* name : names)
        if (std::find(states.begin(), states.end(), Atom(name)) == states.end())
            states.push_back(Atom(name));
    SetProperty32(window, property, XCB_ATOM_ATOM, states);
}

bool PollUntil(const std::function<bool()>& done, const QDeadlineTimer& deadline) {
    constexpr unsigned long kIntervalMs = 2;
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(kIntervalMs);
    }
    return true;
}

std::optional<QMargins> FrameExtents(xcb_window_t window) {
    const auto extents = Property32(window, Atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 4);
    if (!extents || extents->size() != 4)
        return std::nullopt;
    // Left, right, top, bottom.
    const auto width = [&](std::size_t i) { return static_cast<int>((*extents)[i]); };
    return QMargins(width(0), width(2), width(1), width(3));
}

void SendFrameExtentsRequest(xcb_window_t window) {
    xcb_connection_t* connection = Connection();
    const xcb_atom_t request = Atom("_NET_REQUEST_FRAME_EXTENTS");
    if (connection == nullptr || window == XCB_WINDOW_NONE)
        return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(connection, 0, Root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

xcb_window_t InputFocus() {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr)
        return XCB_WINDOW_NONE;
    const auto focus = Take(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    return focus ? focus->focus : xcb_window_t{XCB_WINDOW_NONE};
}

namespace {

// The part of a resource's number that names the client that made it.
std::uint32_t ClientBits(xcb_window_t window) {
    return window & ~xcb_get_setup(Connection())->resource_id_mask;
}

} // namespace

bool OwnWindow(xcb_window_t window) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || window == XCB_WINDOW_NONE)
        return false;
    return ClientBits(window) == xcb_get_setup(connection)->resource_id_base;
}

bool SameClient(xcb_window_t one, xcb_window_t other) {
    if (Connection() == nullptr || one == XCB_WINDOW_NONE || other == XCB_WINDOW_NONE)
        return false;
    return ClientBits(one) == ClientBits(other);
}

void TakeInputFocus(xcb_window_t window, xcb_timestamp_t time) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || window == XCB_WINDOW_NONE || time == XCB_CURRENT_TIME)
        return;
    xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, window, time);
    xcb_flush(connection);
}

} // namespace rt::x11

// Taking the screen, the event loop and the X calls the manager's handlers share.

#include "tests/desktop/testmanager/manager.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>

namespace testwm {

namespace {

constexpr char kName[] = "ambrelix-test-wm";

// The event of that type within a generic one, copied out as a value of its own.
template <class Event> Event As(const xcb_generic_event_t& event) {
    static_assert(sizeof(Event) <= sizeof(xcb_generic_event_t));
    Event typed;
    std::memcpy(&typed, &event, sizeof typed);
    return typed;
}

} // namespace

Manager::Manager(xcb_connection_t* connection, int screenNumber, const Options& options, Log& log)
    : c_(connection), screenNumber_(screenNumber), options_(options), sides_(DrawnSides(options.extents)),
      log_(log) {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c_));
    for (int number = 0; screens.rem > 0; ++number, xcb_screen_next(&screens))
        if (number == screenNumber_)
            screen_ = screens.data;
}

bool Manager::InternAtoms() {
    const std::string selection = "WM_S" + std::to_string(screenNumber_);
    const char* const names[kAtomCount] = {"WM_STATE",
                                           selection.c_str(),
                                           "MANAGER",
                                           "UTF8_STRING",
                                           "_NET_SUPPORTED",
                                           "_NET_SUPPORTING_WM_CHECK",
                                           "_NET_FRAME_EXTENTS",
                                           "_NET_REQUEST_FRAME_EXTENTS",
                                           "_NET_ACTIVE_WINDOW",
                                           "_NET_WM_STATE",
                                           "_NET_WM_NAME"};
    xcb_intern_atom_cookie_t cookies[kAtomCount];
    for (int i = 0; i < kAtomCount; ++i)
        cookies[i] = xcb_intern_atom(c_, 0, static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
    bool all = true;
    for (int i = 0; i < kAtomCount; ++i) {
        const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c_, cookies[i], nullptr));
        atoms_[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        all = all && atoms_[i] != XCB_ATOM_NONE;
    }
    return all;
}

// The server's time now, for the selection (ICCCM 2.8 wants a real time, not CurrentTime):
// the time of a property change on the check window, which selects nothing else yet.
std::optional<xcb_timestamp_t> Manager::ServerTime() {
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, checkWindow_, atoms_[kNetWmName], atoms_[kUtf8String], 8,
                        sizeof kName - 1, kName);
    xcb_flush(c_);
    while (const Reply<xcb_generic_event_t> event{xcb_wait_for_event(c_)}) {
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY)
            return As<xcb_property_notify_event_t>(*event).time;
    }
    return std::nullopt;
}

std::string Manager::TakeScreen() {
    if (screen_ == nullptr)
        return "the display has no screen " + std::to_string(screenNumber_);
    if (!InternAtoms())
        return "the X server interned no atoms";
    const xcb_window_t root = screen_->root;
    checkWindow_ = xcb_generate_id(c_);
    const std::uint32_t checkValues[] = {1, XCB_EVENT_MASK_PROPERTY_CHANGE};
    xcb_create_window(c_, 0, checkWindow_, root, -100, -100, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, checkValues);
    const std::optional<xcb_timestamp_t> time = ServerTime();
    if (!time)
        return "the X server gave no time";

    const std::string selection = "WM_S" + std::to_string(screenNumber_);
    const Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(c_, xcb_get_selection_owner(c_, atoms_[kWmSn]), nullptr));
    if (!owner)
        return "the X server did not say who owns " + selection;
    if (owner->owner != XCB_WINDOW_NONE)
        return "another window manager runs on this screen: it owns " + selection;
    const std::uint32_t rootEvents =
        XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const Reply<xcb_generic_error_t> refused(xcb_request_check(
        c_, xcb_change_window_attributes_checked(c_, root, XCB_CW_EVENT_MASK, &rootEvents)));
    if (refused)
        return "another window manager runs on this screen: it redirects the root's children";

    // Whoever sees the selection owned finds the manager's properties set.
    SetProperty32(root, atoms_[kNetSupportingWmCheck], XCB_ATOM_WINDOW, {checkWindow_});
    SetProperty32(checkWindow_, atoms_[kNetSupportingWmCheck], XCB_ATOM_WINDOW, {checkWindow_});
    SetProperty32(root, atoms_[kNetSupported], XCB_ATOM_ATOM,
                  {atoms_[kNetSupported], atoms_[kNetSupportingWmCheck], atoms_[kNetFrameExtents],
                   atoms_[kNetRequestFrameExtents], atoms_[kNetActiveWindow], atoms_[kNetWmState],
                   atoms_[kNetWmName]});
    SetActive(XCB_WINDOW_NONE);

    if (!options_.takeSelection) {
        Adopt();
        xcb_flush(c_);
        return {};
    }
    xcb_set_selection_owner(c_, checkWindow_, atoms_[kWmSn], *time);
    const Reply<xcb_get_selection_owner_reply_t> taken(
        xcb_get_selection_owner_reply(c_, xcb_get_selection_owner(c_, atoms_[kWmSn]), nullptr));
    if (!taken || taken->owner != checkWindow_)
        return "another window manager took " + selection + " first";
    xcb_client_message_event_t announcement{};
    announcement.response_type = XCB_CLIENT_MESSAGE;
    announcement.format = 32;
    announcement.window = root;
    announcement.type = atoms_[kManager];
    announcement.data.data32[0] = *time;
    announcement.data.data32[1] = atoms_[kWmSn];
    announcement.data.data32[2] = checkWindow_;
    SendEvent(c_, root, XCB_EVENT_MASK_STRUCTURE_NOTIFY, announcement);
    Adopt();
    xcb_flush(c_);
    return {};
}

// The windows shown before the manager started are framed as if they had been mapped now.
void Manager::Adopt() {
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(c_, xcb_query_tree(c_, screen_->root), nullptr));
    if (!tree)
        return;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const std::vector<xcb_window_t> windows(children, children + xcb_query_tree_children_length(tree.get()));
    for (const xcb_window_t window : windows) {
        const Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window), nullptr));
        if (window != checkWindow_ && attributes && !attributes->override_redirect &&
            attributes->map_state == XCB_MAP_STATE_VIEWABLE) {
            log_.Line("Adopt " + Hex(window));
            Manage(window);
        }
    }
}

int Manager::Run(int signalFd) {
    pollfd watched[] = {{xcb_get_file_descriptor(c_), POLLIN, 0}, {signalFd, POLLIN, 0}};
    for (;;) {
        // Replies read while handling an event may queue further events: all are handled
        // before the manager sleeps.
        while (const Reply<xcb_generic_event_t> event{xcb_poll_for_event(c_)}) {
            if (!Handle(*event))
                return 0;
        }
        if (xcb_connection_has_error(c_) != 0) {
            std::fprintf(stderr, "ambrelix_test_wm: the connection to the X server broke\n");
            return 1;
        }
        SetDueProperties();
        xcb_flush(c_);
        if (poll(watched, 2, PollTimeoutMs()) < 0 && errno != EINTR) {
            std::perror("ambrelix_test_wm: poll");
            return 1;
        }
        if ((watched[1].revents & POLLIN) != 0)
            return 0;
    }
}

bool Manager::Handle(const xcb_generic_event_t& event) {
    const bool synthetic = (event.response_type & 0x80) != 0;
    switch (event.response_type & 0x7f) {
    case XCB_MAP_REQUEST:
        OnMapRequest(As<xcb_map_request_event_t>(event));
        break;
    case XCB_CONFIGURE_REQUEST:
        OnConfigureRequest(As<xcb_configure_request_event_t>(event));
        break;
    case XCB_UNMAP_NOTIFY:
        OnUnmapNotify(As<xcb_unmap_notify_event_t>(event), synthetic);
        break;
    case XCB_DESTROY_NOTIFY:
        OnDestroyNotify(As<xcb_destroy_notify_event_t>(event));
        break;
    case XCB_CLIENT_MESSAGE:
        OnClientMessage(As<xcb_client_message_event_t>(event));
        break;
    case XCB_SELECTION_CLEAR:
        if (As<xcb_selection_clear_event_t>(event).selection == atoms_[kWmSn]) {
            std::fprintf(stderr, "ambrelix_test_wm: another window manager took the screen\n");
            return false;
        }
        break;
    default:
        // Errors (0) come from requests on windows that were destroyed meanwhile: nothing to undo.
        break;
    }
    return true;
}

void Manager::SetDueProperties() {
    const Clock::time_point now = Clock::now();
    for (auto& [window, client] : clients_) {
        if (client.extentsDue && *client.extentsDue <= now) {
            client.extentsDue.reset();
            log_.Line("LateFrameExtents " + Hex(window));
            SetFrameExtents(window);
        }
        if (client.stateDue && *client.stateDue <= now) {
            client.stateDue.reset();
            log_.Line("LateState " + Hex(window));
            SetProperty32(window, atoms_[kWmState], atoms_[kWmState], {kWmNormalState, XCB_WINDOW_NONE});
        }
    }
}

// Until the next property due; no limit when none is.
int Manager::PollTimeoutMs() const {
    std::optional<Clock::time_point> next;
    for (const auto& [window, client] : clients_) {
        if (client.extentsDue && (!next || *client.extentsDue < *next))
            next = client.extentsDue;
        if (client.stateDue && (!next || *client.stateDue < *next))
            next = client.stateDue;
    }
    if (!next)
        return -1;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*next - Clock::now()).count();
    return static_cast<int>(std::clamp<std::int64_t>(left, 0, 86'400'000));
}

std::vector<std::uint32_t> Manager::Property32(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                               std::uint32_t count) {
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c_, xcb_get_property(c_, 0, window, property, type, 0, count), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return std::vector<std::uint32_t>(values, values + xcb_get_property_value_length(reply.get()) / 4);
}

void Manager::SetProperty32(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                            const std::vector<std::uint32_t>& values) {
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window, property, type, 32,
                        static_cast<std::uint32_t>(values.size()), values.data());
}

void Manager::SetFrameExtents(xcb_window_t window) {
    const Extents& e = options_.extents;
    SetProperty32(window, atoms_[kNetFrameExtents], XCB_ATOM_CARDINAL, {e.left, e.right, e.top, e.bottom});
}

void Manager::SetActive(xcb_window_t window) {
    active_ = window;
    SetProperty32(screen_->root, atoms_[kNetActiveWindow], XCB_ATOM_WINDOW, {window});
}

} // namespace testwm

// The manager's handling of the windows on the screen: taking them in, moving them as they ask,
// withdrawing them, their frame extents and the keyboard focus.

#include "tests/desktop/testmanager/manager.h"

namespace testwm {

namespace {

// WM_NORMAL_HINTS: 18 CARD32, the flags first; PWinGravity says win_gravity, the last, is set.
constexpr std::uint32_t kNormalHintsLength = 18;
constexpr std::uint32_t kPWinGravity = 1U << 9;
// WM_HINTS: the flags, then the input field, which InputHint says is set.
constexpr std::uint32_t kInputHint = 1;
// The frame's colour: a grey on a true-colour screen.
constexpr std::uint32_t kFramePixel = 0x5a6a7a;

constexpr std::uint16_t kGeometryMask =
    XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT;

// A 16-bit position as the 32-bit value of a request.
std::uint32_t Value(std::int16_t position) {
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(position));
}

} // namespace

void Manager::OnMapRequest(const xcb_map_request_event_t& event) {
    log_.Line("MapRequest " + Hex(event.window));
    if (options_.mapWindows && !clients_.contains(event.window))
        Manage(event.window);
}

void Manager::Manage(xcb_window_t window) {
    const Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window), nullptr));
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(c_, xcb_get_geometry(c_, window), nullptr));
    if (!attributes || !geometry)
        return; // destroyed meanwhile
    if (attributes->override_redirect) {
        xcb_map_window(c_, window);
        return;
    }
    Client client;
    client.frame = xcb_generate_id(c_);
    client.asked = {geometry->x, geometry->y};
    client.gravity = Gravity(window);
    client.width = geometry->width;
    client.height = geometry->height;
    const Point at = FramePosition(client.asked, sides_, client.gravity);
    client.frameAt = {ClampPosition(at.x), ClampPosition(at.y)};
    const std::uint32_t frameValues[] = {kFramePixel, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT |
                                                          XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    xcb_create_window(c_, XCB_COPY_FROM_PARENT, client.frame, screen_->root, ClampPosition(client.frameAt.x),
                      ClampPosition(client.frameAt.y), ClampSize(sides_.left + client.width + sides_.right),
                      ClampSize(sides_.top + client.height + sides_.bottom), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen_->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, frameValues);
    // In the save-set the client survives the manager's end: the X server puts it back on the root.
    xcb_change_save_set(c_, XCB_SET_MODE_INSERT, window);
    // The frame is the border; the client's own would shift it off its place in the frame.
    const std::uint32_t noBorder = 0;
    xcb_configure_window(c_, window, XCB_CONFIG_WINDOW_BORDER_WIDTH, &noBorder);
    xcb_reparent_window(c_, window, client.frame, ClampPosition(sides_.left), ClampPosition(sides_.top));
    if (!options_.lateState)
        SetProperty32(window, atoms_[kWmState], atoms_[kWmState], {kWmNormalState, XCB_WINDOW_NONE});
    xcb_map_window(c_, window);
    xcb_map_window(c_, client.frame);
    if (options_.lateState)
        client.stateDue = Clock::now() + *options_.lateState;
    if (options_.lateFrame)
        client.extentsDue = Clock::now() + *options_.lateFrame;
    else
        SetFrameExtents(window);
    SendConfigureNotify(window, client);
    clients_.insert_or_assign(window, client);
    if (AcceptsInput(window))
        Focus(window, XCB_CURRENT_TIME);
}

void Manager::OnConfigureRequest(const xcb_configure_request_event_t& event) {
    log_.Line("ConfigureRequest " + Hex(event.window));
    const std::uint16_t mask = event.value_mask;
    const auto found = clients_.find(event.window);
    if (found == clients_.end()) {
        // A window the manager does not hold gets what it asks, in the order of the mask's bits.
        std::vector<std::uint32_t> values;
        if ((mask & XCB_CONFIG_WINDOW_X) != 0)
            values.push_back(Value(event.x));
        if ((mask & XCB_CONFIG_WINDOW_Y) != 0)
            values.push_back(Value(event.y));
        if ((mask & XCB_CONFIG_WINDOW_WIDTH) != 0)
            values.push_back(event.width);
        if ((mask & XCB_CONFIG_WINDOW_HEIGHT) != 0)
            values.push_back(event.height);
        if ((mask & XCB_CONFIG_WINDOW_BORDER_WIDTH) != 0)
            values.push_back(event.border_width);
        if ((mask & XCB_CONFIG_WINDOW_SIBLING) != 0)
            values.push_back(event.sibling);
        if ((mask & XCB_CONFIG_WINDOW_STACK_MODE) != 0)
            values.push_back(event.stack_mode);
        const std::uint16_t applied = mask & (kGeometryMask | XCB_CONFIG_WINDOW_BORDER_WIDTH |
                                              XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE);
        xcb_configure_window(c_, event.window, applied, values.data());
        return;
    }
    // A managed client's position is where it would lie without a frame, read with its gravity
    // of now (Qt switches between NorthWest and Static); its border stays 0.
    Client& client = found->second;
    const std::uint32_t gravity = Gravity(event.window);
    if (gravity != client.gravity) {
        // The frame stays where it is until the client asks for another position.
        const Point offset = FramePosition({0, 0}, sides_, gravity);
        client.asked = {client.frameAt.x - offset.x, client.frameAt.y - offset.y};
        client.gravity = gravity;
    }
    if ((mask & XCB_CONFIG_WINDOW_X) != 0)
        client.asked.x = event.x;
    if ((mask & XCB_CONFIG_WINDOW_Y) != 0)
        client.asked.y = event.y;
    if ((mask & XCB_CONFIG_WINDOW_WIDTH) != 0)
        client.width = event.width;
    if ((mask & XCB_CONFIG_WINDOW_HEIGHT) != 0)
        client.height = event.height;
    Place(event.window, client);
    if ((mask & XCB_CONFIG_WINDOW_STACK_MODE) != 0) {
        // The frames are what is stacked; a sibling the manager does not hold is left out.
        std::vector<std::uint32_t> values;
        std::uint16_t stacking = XCB_CONFIG_WINDOW_STACK_MODE;
        const auto sibling = clients_.find(event.sibling);
        if ((mask & XCB_CONFIG_WINDOW_SIBLING) != 0 && sibling != clients_.end()) {
            stacking |= XCB_CONFIG_WINDOW_SIBLING;
            values.push_back(sibling->second.frame);
        }
        values.push_back(event.stack_mode);
        xcb_configure_window(c_, client.frame, stacking, values.data());
    }
    // ICCCM 4.1.5: the client learns its place on the root, moved or not.
    SendConfigureNotify(event.window, client);
}

// Puts the frame where the client's gravity says and sizes frame and client together.
void Manager::Place(xcb_window_t window, Client& client) {
    const Point at = FramePosition(client.asked, sides_, client.gravity);
    client.frameAt = {ClampPosition(at.x), ClampPosition(at.y)};
    const std::uint32_t frame[] = {Value(ClampPosition(client.frameAt.x)),
                                   Value(ClampPosition(client.frameAt.y)),
                                   ClampSize(sides_.left + client.width + sides_.right),
                                   ClampSize(sides_.top + client.height + sides_.bottom)};
    xcb_configure_window(c_, client.frame, kGeometryMask, frame);
    const std::uint32_t size[] = {ClampSize(client.width), ClampSize(client.height)};
    xcb_configure_window(c_, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
}

void Manager::SendConfigureNotify(xcb_window_t window, const Client& client) {
    xcb_configure_notify_event_t notify{};
    notify.response_type = XCB_CONFIGURE_NOTIFY;
    notify.event = window;
    notify.window = window;
    notify.above_sibling = XCB_WINDOW_NONE;
    notify.x = ClampPosition(client.frameAt.x + sides_.left);
    notify.y = ClampPosition(client.frameAt.y + sides_.top);
    notify.width = ClampSize(client.width);
    notify.height = ClampSize(client.height);
    SendEvent(c_, window, XCB_EVENT_MASK_STRUCTURE_NOTIFY, notify);
}

void Manager::OnUnmapNotify(const xcb_unmap_notify_event_t& event, bool synthetic) {
    const auto found = clients_.find(event.window);
    if (found == clients_.end())
        return;
    // The client unmapped itself inside its frame, or asked to be withdrawn by the synthetic
    // unmap of ICCCM 4.1.4. Taking in a window shown before the manager started unmaps it from
    // the root: no withdrawal.
    const bool withdrawn = event.event == found->second.frame || (synthetic && event.event == screen_->root);
    if (!withdrawn)
        return;
    log_.Line("UnmapNotify " + Hex(event.window));
    Withdraw(found);
}

void Manager::Withdraw(Clients::iterator found) {
    const xcb_window_t window = found->first;
    const Client client = found->second;
    clients_.erase(found);
    // A client withdrawn by a synthetic unmap may still be mapped in its frame.
    xcb_unmap_window(c_, window);
    xcb_reparent_window(c_, window, screen_->root, ClampPosition(client.frameAt.x + sides_.left),
                        ClampPosition(client.frameAt.y + sides_.top));
    xcb_change_save_set(c_, XCB_SET_MODE_DELETE, window);
    xcb_destroy_window(c_, client.frame);
    if (!options_.keepState)
        xcb_delete_property(c_, window, atoms_[kWmState]);
    if (active_ == window)
        SetActive(XCB_WINDOW_NONE);
}

void Manager::OnDestroyNotify(const xcb_destroy_notify_event_t& event) {
    const auto found = clients_.find(event.window);
    if (found == clients_.end())
        return;
    log_.Line("DestroyNotify " + Hex(event.window));
    xcb_destroy_window(c_, found->second.frame);
    clients_.erase(found);
    if (active_ == event.window)
        SetActive(XCB_WINDOW_NONE);
}

void Manager::OnClientMessage(const xcb_client_message_event_t& event) {
    if (event.type == atoms_[kNetRequestFrameExtents]) {
        const Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, event.window), nullptr));
        if (!attributes) {
            log_.Line("RequestFrameExtents " + Hex(event.window) + " gone");
            return;
        }
        const bool mapped = attributes->map_state != XCB_MAP_STATE_UNMAPPED;
        log_.Line("RequestFrameExtents " + Hex(event.window) + " mapped=" + (mapped ? "1" : "0"));
        // A managed client has its extents, or gets them when they are due.
        if (clients_.contains(event.window) ||
            (options_.frameAnswers && frameAnswers_ >= *options_.frameAnswers))
            return;
        ++frameAnswers_;
        SetFrameExtents(event.window);
    } else if (event.type == atoms_[kNetActiveWindow]) {
        log_.Line("ActiveWindow " + Hex(event.window));
        const auto found = clients_.find(event.window);
        if (found == clients_.end())
            return;
        const std::uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(c_, found->second.frame, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        const xcb_timestamp_t time = event.format == 32 ? event.data.data32[1] : 0;
        Focus(event.window, time != 0 ? time : XCB_CURRENT_TIME);
    }
}

void Manager::Focus(xcb_window_t window, xcb_timestamp_t time) {
    xcb_set_input_focus(c_, XCB_INPUT_FOCUS_POINTER_ROOT, window, time);
    SetActive(window);
}

std::uint32_t Manager::Gravity(xcb_window_t window) {
    const std::vector<std::uint32_t> hints =
        Property32(window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, kNormalHintsLength);
    if (hints.size() < kNormalHintsLength || (hints[0] & kPWinGravity) == 0)
        return XCB_GRAVITY_NORTH_WEST;
    return hints[kNormalHintsLength - 1];
}

// ICCCM 4.1.7: a window whose WM_HINTS input field is False never gets the focus from the manager.
bool Manager::AcceptsInput(xcb_window_t window) {
    const std::vector<std::uint32_t> hints = Property32(window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 2);
    return hints.size() < 2 || (hints[0] & kInputHint) == 0 || hints[1] != 0;
}

} // namespace testwm

#pragma once
// The tests' window manager on one X screen: it takes the screen as ICCCM 2.8 says, frames the
// windows mapped on it with the extents of its options, and behaves as its options choose.

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>
#include <xcb/xcb.h>

#include "tests/desktop/testmanager/frame.h"
#include "tests/desktop/testmanager/log.h"
#include "tests/desktop/testmanager/options.h"

namespace testwm {

// WM_STATE NormalState (ICCCM 4.1.3.1).
inline constexpr std::uint32_t kWmNormalState = 1;

// A reply or event of the X server, freed with the C library as xcb asks.
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class T> using Reply = std::unique_ptr<T, FreeReply>;

// Sends `event` as X sends events, 32 bytes; xcb's event structs may be shorter.
template <class Event>
void SendEvent(xcb_connection_t* connection, xcb_window_t to, std::uint32_t mask, const Event& event) {
    static_assert(sizeof(Event) <= 32);
    char bytes[32] = {};
    std::memcpy(bytes, &event, sizeof event);
    xcb_send_event(connection, 0, to, mask, bytes);
}

class Manager {
public:
    Manager(xcb_connection_t* connection, int screenNumber, const Options& options, Log& log);
    // Becomes the screen's window manager and takes in the windows already shown; why not when
    // it cannot (another manager runs).
    std::string TakeScreen();
    // Handles the screen's events until a signal arrives on `signalFd` or another manager takes
    // the screen (0), or the connection to the X server breaks (1).
    int Run(int signalFd);

private:
    using Clock = std::chrono::steady_clock;
    // A window the manager has taken in, and the frame it lives in.
    struct Client {
        xcb_window_t frame = XCB_WINDOW_NONE;
        // Where the client asked to lie, as if it had no frame, and with which win_gravity.
        Point asked;
        std::uint32_t gravity = XCB_GRAVITY_NORTH_WEST;
        std::int64_t width = 1;
        std::int64_t height = 1;
        // The frame's top-left on the root.
        Point frameAt;
        // When _NET_FRAME_EXTENTS is due (--late-frame); nothing once set.
        std::optional<Clock::time_point> extentsDue;
        // When WM_STATE is due (--late-state); nothing once set.
        std::optional<Clock::time_point> stateDue;
    };
    using Clients = std::unordered_map<xcb_window_t, Client>;

    bool InternAtoms();
    std::optional<xcb_timestamp_t> ServerTime();
    void Adopt();
    // False when the manager must end.
    bool Handle(const xcb_generic_event_t& event);
    void OnMapRequest(const xcb_map_request_event_t& event);
    void OnConfigureRequest(const xcb_configure_request_event_t& event);
    void OnUnmapNotify(const xcb_unmap_notify_event_t& event, bool synthetic);
    void OnDestroyNotify(const xcb_destroy_notify_event_t& event);
    void OnClientMessage(const xcb_client_message_event_t& event);

    void Manage(xcb_window_t window);
    void Withdraw(Clients::iterator client);
    void Place(xcb_window_t window, Client& client);
    void SendConfigureNotify(xcb_window_t window, const Client& client);
    void SetFrameExtents(xcb_window_t window);
    void SetDueProperties();
    int PollTimeoutMs() const;
    void Focus(xcb_window_t window, xcb_timestamp_t time);
    void SetActive(xcb_window_t window);
    std::uint32_t Gravity(xcb_window_t window);
    bool AcceptsInput(xcb_window_t window);
    std::vector<std::uint32_t> Property32(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                          std::uint32_t count);
    void SetProperty32(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                       const std::vector<std::uint32_t>& values);

    xcb_connection_t* const c_;
    const int screenNumber_;
    xcb_screen_t* screen_ = nullptr;
    const Options options_;
    const Sides sides_;
    Log& log_;
    xcb_window_t checkWindow_ = XCB_WINDOW_NONE;
    xcb_window_t active_ = XCB_WINDOW_NONE;
    Clients clients_;
    // The frame requests answered so far.
    std::uint64_t frameAnswers_ = 0;

    enum AtomName {
        kWmState,
        kWmSn,
        kManager,
        kUtf8String,
        kNetSupported,
        kNetSupportingWmCheck,
        kNetFrameExtents,
        kNetRequestFrameExtents,
        kNetActiveWindow,
        kNetWmState,
        kNetWmName,
        kAtomCount
    };
    xcb_atom_t atoms_[kAtomCount] = {};
};

} // namespace testwm

#include "rt/desktop/xevents.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <cstring>
#include <vector>

#include "rt/desktop/windowmanager.h"
#include "rt/desktop/xserver.h"

namespace rt::x11 {

namespace {

QPointer<Events> current;

// The response type of an event, without the flag of one sent by another client.
std::uint8_t Kind(const xcb_generic_event_t& event) {
    return event.response_type & ~0x80;
}

} // namespace

Events* Events::Get() {
    if (Connection() == nullptr || qApp == nullptr)
        return nullptr;
    if (current.isNull())
        current = new Events(qApp);
    return current.data();
}

Events::Events(QObject* parent)
    : QObject(parent), managerMessage_(Atom("MANAGER")), managerCheck_(Atom("_NET_SUPPORTING_WM_CHECK")) {
    constexpr char kInput[] = "XInputExtension";
    xcb_connection_t* connection = Connection();
    const auto input = Take(xcb_query_extension_reply(
        connection, xcb_query_extension(connection, sizeof kInput - 1, kInput), nullptr));
    if (input && input->present != 0)
        inputExtension_ = input->major_opcode;
    QCoreApplication::instance()->installNativeEventFilter(this);
}

// The application deletes its watch as it ends, when it is no longer the instance; the filter
// then leaves the event dispatcher as it goes.
Events::~Events() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeNativeEventFilter(this);
    if (clock_ != XCB_WINDOW_NONE && Connection() != nullptr)
        xcb_destroy_window(Connection(), clock_);
}

void Events::RequestTime(std::function<void(xcb_timestamp_t time)> then) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr)
        return;
    if (clock_ == XCB_WINDOW_NONE) {
        clock_ = xcb_generate_id(connection);
        const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, clock_, Root(), -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    }
    timeRequests_.push_back(std::move(then));
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, clock_, Atom("AMBRELIX_CLOCK"), XCB_ATOM_STRING, 8,
                        0, nullptr);
    xcb_flush(connection);
}

xcb_timestamp_t Events::LatestTime() const {
    // Server times wrap around after 49 days: the later is the one less than half the range ahead.
    const auto ahead = static_cast<std::int32_t>(lastPropertyTime_ - lastUserTime_);
    if (lastUserTime_ == XCB_CURRENT_TIME)
        return lastPropertyTime_;
    return lastPropertyTime_ != XCB_CURRENT_TIME && ahead > 0 ? lastPropertyTime_ : lastUserTime_;
}

int Events::Listen(Listener changed) {
    return listeners_.Add(std::move(changed));
}

void Events::Unlisten(int key) {
    listeners_.Remove(key);
}

void Events::ReadInputEvent(const xcb_generic_event_t& event) {
    // The device events of X Input 2: the event's kind at byte 8, its time at byte 12.
    enum : std::uint16_t { kKeyPress = 2, kKeyRelease = 3, kButtonPress = 4, kButtonRelease = 5 };
    const auto* bytes = reinterpret_cast<const unsigned char*>(&event);
    if (bytes[1] != inputExtension_ || inputExtension_ == 0)
        return;
    std::uint16_t kind = 0;
    std::memcpy(&kind, bytes + 8, sizeof kind);
    if (kind == kKeyPress || kind == kKeyRelease || kind == kButtonPress || kind == kButtonRelease)
        std::memcpy(&lastUserTime_, bytes + 12, sizeof lastUserTime_);
}

bool Events::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t" || message == nullptr)
        return false;
    const auto& event = *static_cast<const xcb_generic_event_t*>(message);
    switch (Kind(event)) {
    case XCB_KEY_PRESS:
    case XCB_KEY_RELEASE:
        lastUserTime_ = reinterpret_cast<const xcb_key_press_event_t&>(event).time;
        break;
    case XCB_BUTTON_PRESS:
    case XCB_BUTTON_RELEASE:
        lastUserTime_ = reinterpret_cast<const xcb_button_press_event_t&>(event).time;
        break;
    case XCB_GE_GENERIC:
        ReadInputEvent(event);
        break;
    case XCB_PROPERTY_NOTIFY: {
        const auto& changed = reinterpret_cast<const xcb_property_notify_event_t&>(event);
        if (changed.atom == managerCheck_ && changed.window == Root())
            ManagerMayHaveChanged();
        // The program acts on the news once Qt has handled the event.
        if (changed.window == clock_) {
            std::vector<std::function<void(xcb_timestamp_t)>> requests;
            requests.swap(timeRequests_);
            QTimer::singleShot(0, this, [requests = std::move(requests), time = changed.time] {
                for (const auto& then : requests)
                    then(time);
            });
        } else if (OwnWindow(changed.window)) {
            lastPropertyTime_ = changed.time;
            QTimer::singleShot(0, this, [this, window = changed.window, atom = changed.atom] {
                listeners_.Tell(window, atom);
            });
        }
        break;
    }
    case XCB_DESTROY_NOTIFY:
        WindowDestroyed(reinterpret_cast<const xcb_destroy_notify_event_t&>(event).window);
        break;
    case XCB_CLIENT_MESSAGE:
        // A manager that takes a screen's selection says so to every client (ICCCM 2.8).
        if (reinterpret_cast<const xcb_client_message_event_t&>(event).type == managerMessage_)
            ManagerMayHaveChanged();
        break;
    default:
        break;
    }
    return false;
}

} // namespace rt::x11

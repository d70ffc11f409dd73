#pragma once
// A small D-Bus client of the program's own, for the few questions it asks a bus at start-up with
// a deadline, which Qt's D-Bus module cannot be given: does a bus answer, and which accessibility
// bus does the session bus name. It reaches buses on Unix sockets only (other transports count as
// no answer), authenticates with SASL EXTERNAL as the user, and never waits past the deadline: all
// its sockets are non-blocking and polled. Whatever a peer sends, broken or hostile, is read with
// bounds checked and gives at worst no answer.

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rt::dbus {

using Deadline = std::chrono::steady_clock::time_point;

// Waits until the file descriptor is ready for the poll(2) `events`; false when the deadline
// passed first.
bool WaitFor(int fd, short events, Deadline deadline);

// One entry of a D-Bus address list that names a Unix socket.
struct UnixSocket {
    std::string entry;     // the entry as written in the list ("unix:path=/run/user/1000/bus,guid=...")
    std::string name;      // its path, or its name in the abstract namespace, unescaped
    bool abstract = false; // the name is in the abstract namespace
};

// The Unix socket entries of a D-Bus address list ("unix:path=...;unix:abstract=..."), in order, with
// their %XX escapes undone. Entries of other transports and malformed entries are left out.
std::vector<UnixSocket> UnixSockets(std::string_view addresses);

// The parts of a message the client reads.
struct Message {
    std::uint8_t type = 0; // 2: a method's return, 3: an error, others skipped
    std::optional<std::uint32_t> replySerial;
    std::optional<std::string> text; // the body's string, where the body is one string (signature "s")
};

// The outcome of reading a message from the front of the bytes received.
struct Parsed {
    enum class State { Incomplete, Malformed, Complete } state = State::Incomplete;
    std::size_t length = 0; // of the message, when complete
    Message message;
};

// Reads the message at the front of `bytes`, in either byte order. Messages longer than the client
// ever needs count as malformed.
Parsed ParseMessage(std::span<const unsigned char> bytes);

// The entry of the address list of the first bus that answered Hello by the deadline, tried in
// order; nothing when none did.
std::optional<std::string> AnsweringEntry(std::string_view addresses, Deadline deadline);

// The address of the accessibility bus the session bus on `session` names by the deadline
// (org.a11y.Bus.GetAddress, not starting the bus's launcher); empty when it names none in time.
std::string AccessibilityBusOf(const std::vector<UnixSocket>& session, Deadline deadline);

} // namespace rt::dbus

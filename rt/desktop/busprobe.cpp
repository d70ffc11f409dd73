#include "rt/desktop/busprobe.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace rt::dbus {

namespace {

// Longer messages than the replies and signals the client reads (about a hundred bytes) are refused.
constexpr std::size_t kLongestMessage = 64 * 1024;
// The longest line of the authentication the client reads.
constexpr std::size_t kLongestLine = 512;

constexpr char kBus[] = "org.freedesktop.DBus";
constexpr char kAccessibilityBus[] = "org.a11y.Bus";
constexpr std::uint8_t kMethodCall = 1;
constexpr std::uint8_t kMethodReturn = 2;
// Flags of a call: the bus starts no service for it (as Qt, which asks the launcher only once it runs).
constexpr std::uint8_t kNoAutoStart = 0x2;
// Header fields.
constexpr std::uint8_t kPath = 1, kInterface = 2, kMember = 3, kReplySerial = 5, kDestination = 6,
                       kSignature = 8;

// The bytes D-Bus lets an address value hold unescaped; any other is written %XX.
bool OptionallyEscaped(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::strchr("-_/.\\*", c) != nullptr;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The value with its escapes undone; nothing where it is malformed, as libdbus reads it.
std::optional<std::string> Unescaped(std::string_view value) {
    std::string text;
    for (std::size_t at = 0; at < value.size(); ++at) {
        if (OptionallyEscaped(value[at])) {
            text += value[at];
            continue;
        }
        if (value[at] != '%' || value.size() - at < 3)
            return std::nullopt;
        const int high = HexDigit(value[at + 1]);
        const int low = HexDigit(value[at + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        text += static_cast<char>(high * 16 + low);
        at += 2;
    }
    return text;
}

// The Unix socket one entry ("unix:key=value,...") names; nothing for another transport or a
// malformed entry.
std::optional<UnixSocket> SocketOf(std::string_view entry) {
    constexpr std::string_view kUnix = "unix:";
    if (entry.substr(0, kUnix.size()) != kUnix)
        return std::nullopt;
    UnixSocket socket{std::string(entry), {}, false};
    int names = 0;
    for (std::string_view pairs = entry.substr(kUnix.size()); !pairs.empty();) {
        const std::size_t comma = pairs.find(',');
        const std::string_view pair = pairs.substr(0, comma);
        pairs = comma == std::string_view::npos ? std::string_view() : pairs.substr(comma + 1);
        const std::size_t equals = pair.find('=');
        if (equals == 0 || equals == std::string_view::npos)
            return std::nullopt;
        const std::string_view key = pair.substr(0, equals);
        const std::optional<std::string> value = Unescaped(pair.substr(equals + 1));
        if (!value)
            return std::nullopt;
        if (key == "path" || key == "abstract") {
            socket.name = *value;
            socket.abstract = key == "abstract";
            ++names;
        }
    }
    // A socket's name fits sockaddr_un's path with room for its end, and holds no NUL.
    if (names != 1 || socket.name.empty() || socket.name.size() >= sizeof(sockaddr_un::sun_path) ||
        socket.name.find('\0') != std::string::npos)
        return std::nullopt;
    return socket;
}

// Reads D-Bus's marshalled values from a part of a message, never past its end. Alignment is
// counted from the message's start, as D-Bus counts it.
class Reader {
public:
    Reader(std::span<const unsigned char> message, bool bigEndian, std::size_t from, std::size_t to)
        : bytes_(message), bigEndian_(bigEndian), at_(from), end_(to) {}

    std::size_t At() const { return at_; }

    bool Align(std::size_t boundary) {
        const std::size_t next = (at_ + boundary - 1) / boundary * boundary;
        if (next > end_)
            return false;
        at_ = next;
        return true;
    }
    std::optional<std::uint8_t> Byte() {
        if (at_ >= end_)
            return std::nullopt;
        return bytes_[at_++];
    }
    std::optional<std::uint32_t> Number() {
        if (!Align(4) || end_ - at_ < 4)
            return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= std::uint32_t{bytes_[at_ + static_cast<std::size_t>(bigEndian_ ? 3 - i : i)]} << (8 * i);
        at_ += 4;
        return value;
    }
    // A string or object path: its length, its bytes and a NUL.
    std::optional<std::string_view> Text() {
        const std::optional<std::uint32_t> length = Number();
        return length ? Chars(*length) : std::nullopt;
    }
    // A signature: its length in one byte, its bytes and a NUL.
    std::optional<std::string_view> Signature() {
        const std::optional<std::uint8_t> length = Byte();
        return length ? Chars(*length) : std::nullopt;
    }

private:
    std::optional<std::string_view> Chars(std::size_t length) {
        if (end_ - at_ <= length || bytes_[at_ + length] != 0)
            return std::nullopt;
        const std::string_view chars(reinterpret_cast<const char*>(bytes_.data() + at_), length);
        at_ += length + 1;
        return chars;
    }

    std::span<const unsigned char> bytes_;
    bool bigEndian_;
    std::size_t at_;
    std::size_t end_;
};

// Writes a method call with no arguments, little-endian.
class CallWriter {
public:
    CallWriter(std::uint32_t serial, std::uint8_t flags) {
        bytes_ = {'l', static_cast<char>(kMethodCall), static_cast<char>(flags), 1};
        Number(0); // the body's length: no arguments
        Number(serial);
        Number(0); // the header fields' length, set by Done
    }
    CallWriter& Field(std::uint8_t code, char type, std::string_view value) {
        Pad(8);
        bytes_ += {static_cast<char>(code), 1, type, 0};
        Number(static_cast<std::uint32_t>(value.size()));
        bytes_ += value;
        bytes_ += '\0';
        return *this;
    }
    std::string Done() {
        constexpr std::size_t kFieldsStart = 16;
        const auto fields = static_cast<std::uint32_t>(bytes_.size() - kFieldsStart);
        for (int i = 0; i < 4; ++i)
            bytes_[12 + static_cast<std::size_t>(i)] = static_cast<char>((fields >> (8 * i)) & 0xFF);
        Pad(8); // the empty body starts on a multiple of 8
        return std::move(bytes_);
    }

private:
    void Pad(std::size_t boundary) { bytes_.append((boundary - bytes_.size() % boundary) % boundary, '\0'); }
    void Number(std::uint32_t value) {
        Pad(4);
        for (int i = 0; i < 4; ++i)
            bytes_ += static_cast<char>((value >> (8 * i)) & 0xFF);
    }

    std::string bytes_;
};

std::string Call(std::uint32_t serial, std::uint8_t flags, std::string_view destination,
                 std::string_view path, std::string_view interface, std::string_view member) {
    return CallWriter(serial, flags)
        .Field(kPath, 'o', path)
        .Field(kInterface, 's', interface)
        .Field(kMember, 's', member)
        .Field(kDestination, 's', destination)
        .Done();
}

std::string Hello() {
    return Call(1, 0, kBus, "/org/freedesktop/DBus", kBus, "Hello");
}

// A socket closed as it goes.
class Socket {
public:
    explicit Socket(int fd) : fd_(fd) {}
    Socket(Socket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Socket& operator=(Socket&&) = delete;
    ~Socket() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int Fd() const { return fd_; }

private:
    int fd_;
};

std::optional<Socket> Connect(const UnixSocket& bus, Deadline deadline) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    // An abstract name follows a NUL; a path is ended by one (the name's size was checked).
    const std::size_t start = bus.abstract ? 1 : 0;
    std::memcpy(address.sun_path + start, bus.name.data(), bus.name.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + start + bus.name.size() +
                                               (bus.abstract ? 0 : 1));
    Socket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (socket.Fd() < 0)
        return std::nullopt;
    if (::connect(socket.Fd(), reinterpret_cast<const sockaddr*>(&address), length) == 0)
        return socket;
    if (errno != EINPROGRESS && errno != EINTR)
        return std::nullopt;
    int error = 0;
    socklen_t size = sizeof error;
    if (!WaitFor(socket.Fd(), POLLOUT, deadline) ||
        ::getsockopt(socket.Fd(), SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0)
        return std::nullopt;
    return socket;
}

// One conversation with a bus, each step of which gives up at the deadline.
class Conversation {
public:
    Conversation(Socket socket, Deadline deadline) : socket_(std::move(socket)), deadline_(deadline) {}

    bool Send(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t sent = ::send(socket_.Fd(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (sent > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(sent));
                continue;
            }
            if ((sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) ||
                !WaitFor(socket_.Fd(), POLLOUT, deadline_))
                return false;
        }
        return true;
    }

    // SASL EXTERNAL: the bus checks the socket's credentials against the user named, in hex of
    // the decimal uid. The first byte, NUL, is where a client may pass credentials explicitly.
    bool Authenticate() {
        std::string uidHex;
        for (const char digit : std::to_string(::getuid()))
            uidHex += {"0123456789abcdef"[(digit >> 4) & 0xF], "0123456789abcdef"[digit & 0xF]};
        if (!Send(std::string(1, '\0') + "AUTH EXTERNAL " + uidHex + "\r\n"))
            return false;
        std::size_t end = std::string::npos;
        while ((end = received_.find("\r\n")) == std::string::npos)
            if (received_.size() > kLongestLine || !ReceiveMore())
                return false;
        const bool accepted = received_.compare(0, 3, "OK ") == 0;
        received_.erase(0, end + 2);
        return accepted && Send("BEGIN\r\n");
    }

    // The reply to the call of that serial; every other message is skipped.
    std::optional<Message> ReplyTo(std::uint32_t serial) {
        for (;;) {
            const Parsed parsed =
                ParseMessage({reinterpret_cast<const unsigned char*>(received_.data()), received_.size()});
            if (parsed.state == Parsed::State::Malformed)
                return std::nullopt;
            if (parsed.state == Parsed::State::Incomplete) {
                if (!ReceiveMore())
                    return std::nullopt;
                continue;
            }
            received_.erase(0, parsed.length);
            if (parsed.message.replySerial == serial)
                return parsed.message;
        }
    }

private:
    bool ReceiveMore() {
        for (;;) {
            char chunk[4096];
            const ssize_t got = ::recv(socket_.Fd(), chunk, sizeof chunk, 0);
            if (got > 0) {
                received_.append(chunk, static_cast<std::size_t>(got));
                return true;
            }
            if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) ||
                !WaitFor(socket_.Fd(), POLLIN, deadline_))
                return false;
        }
    }

    Socket socket_;
    Deadline deadline_;
    std::string received_;
};

// The bus's reply to `calls`, sent after its Hello, where the last call has the serial given.
std::optional<Message> Ask(const UnixSocket& bus, const std::string& calls, std::uint32_t serial,
                           Deadline deadline) {
    std::optional<Socket> socket = Connect(bus, deadline);
    if (!socket)
        return std::nullopt;
    Conversation conversation(std::move(*socket), deadline);
    if (!conversation.Authenticate() || !conversation.Send(calls))
        return std::nullopt;
    return conversation.ReplyTo(serial);
}

} // namespace

bool WaitFor(int fd, short events, Deadline deadline) {
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd watched{fd, events, 0};
        const int ready =
            ::poll(&watched, 1, static_cast<int>(std::min<std::int64_t>(left.count(), INT_MAX)));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

std::vector<UnixSocket> UnixSockets(std::string_view addresses) {
    std::vector<UnixSocket> sockets;
    while (!addresses.empty()) {
        const std::size_t semicolon = addresses.find(';');
        if (std::optional<UnixSocket> socket = SocketOf(addresses.substr(0, semicolon)))
            sockets.push_back(std::move(*socket));
        addresses =
            semicolon == std::string_view::npos ? std::string_view() : addresses.substr(semicolon + 1);
    }
    return sockets;
}

Parsed ParseMessage(std::span<const unsigned char> bytes) {
    constexpr std::size_t kFieldsStart = 16;
    Parsed parsed;
    const auto malformed = [&parsed] {
        parsed.state = Parsed::State::Malformed;
        return parsed;
    };
    if (bytes.empty())
        return parsed;
    if (bytes[0] != 'l' && bytes[0] != 'B')
        return malformed();
    if (bytes.size() < kFieldsStart)
        return parsed;
    const bool bigEndian = bytes[0] == 'B';
    Reader header(bytes, bigEndian, 4, kFieldsStart);
    const std::optional<std::uint32_t> bodyLength = header.Number();
    header.Number(); // the serial
    const std::optional<std::uint32_t> fieldsLength = header.Number();
    if (bytes[3] != 1 || !bodyLength || !fieldsLength || *bodyLength > kLongestMessage ||
        *fieldsLength > kLongestMessage)
        return malformed();
    const std::size_t fieldsEnd = kFieldsStart + *fieldsLength;
    const std::size_t bodyStart = (fieldsEnd + 7) / 8 * 8;
    const std::size_t length = bodyStart + *bodyLength;
    if (length > kLongestMessage)
        return malformed();
    if (bytes.size() < length)
        return parsed;

    std::string_view signature;
    Reader fields(bytes, bigEndian, kFieldsStart, fieldsEnd);
    while (fields.At() < fieldsEnd) {
        const std::optional<std::uint8_t> code = fields.Align(8) ? fields.Byte() : std::nullopt;
        const std::optional<std::string_view> type = code ? fields.Signature() : std::nullopt;
        if (!type || type->size() != 1)
            return malformed();
        // The types D-Bus gives its header fields.
        if ((*type)[0] == 'u') {
            const std::optional<std::uint32_t> number = fields.Number();
            if (!number)
                return malformed();
            if (*code == kReplySerial)
                parsed.message.replySerial = *number;
        } else if ((*type)[0] == 's' || (*type)[0] == 'o') {
            if (!fields.Text())
                return malformed();
        } else if ((*type)[0] == 'g') {
            const std::optional<std::string_view> value = fields.Signature();
            if (!value)
                return malformed();
            if (*code == kSignature)
                signature = *value;
        } else {
            return malformed();
        }
    }
    if (signature == "s") {
        Reader body(bytes, bigEndian, bodyStart, length);
        const std::optional<std::string_view> text = body.Text();
        if (!text)
            return malformed();
        parsed.message.text = std::string(*text);
    }
    parsed.message.type = bytes[1];
    parsed.length = length;
    parsed.state = Parsed::State::Complete;
    return parsed;
}

std::optional<std::string> AnsweringEntry(std::string_view addresses, Deadline deadline) {
    for (const UnixSocket& bus : UnixSockets(addresses)) {
        const std::optional<Message> reply = Ask(bus, Hello(), 1, deadline);
        if (reply && reply->type == kMethodReturn)
            return bus.entry;
    }
    return std::nullopt;
}

std::string AccessibilityBusOf(const std::vector<UnixSocket>& session, Deadline deadline) {
    const std::string calls =
        Hello() + Call(2, kNoAutoStart, kAccessibilityBus, "/org/a11y/bus", kAccessibilityBus, "GetAddress");
    for (const UnixSocket& bus : session) {
        const std::optional<Message> reply = Ask(bus, calls, 2, deadline);
        if (reply)
            return reply->type == kMethodReturn && reply->text ? *reply->text : std::string();
    }
    return {};
}

} // namespace rt::dbus

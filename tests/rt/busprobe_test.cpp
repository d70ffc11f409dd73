#include "rt/desktop/busprobe.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using rt::dbus::ParseMessage;
using State = rt::dbus::Parsed::State;
using Bytes = std::vector<unsigned char>;

// A method's return as a bus sends it, in the byte order given: header fields REPLY_SERIAL and
// SIGNATURE "s", the body one string.
Bytes Reply(bool bigEndian, std::uint32_t replySerial, const std::string& text) {
    Bytes m{static_cast<unsigned char>(bigEndian ? 'B' : 'l'), 2, 0, 1};
    const auto pad = [&m](std::size_t boundary) {
        m.resize((m.size() + boundary - 1) / boundary * boundary);
    };
    const auto number = [&](std::uint32_t value) {
        pad(4);
        for (int i = 0; i < 4; ++i)
            m.push_back(static_cast<unsigned char>(value >> (8 * (bigEndian ? 3 - i : i))));
    };
    number(static_cast<std::uint32_t>(4 + text.size() + 1));
    number(7);
    number(0); // the fields' length, set below
    pad(8);
    m.insert(m.end(), {5, 1, 'u', 0});
    number(replySerial);
    pad(8);
    m.insert(m.end(), {8, 1, 'g', 0, 1, 's', 0});
    const auto fields = static_cast<std::uint32_t>(m.size() - 16);
    for (int i = 0; i < 4; ++i)
        m[12 + static_cast<std::size_t>(i)] =
            static_cast<unsigned char>(fields >> (8 * (bigEndian ? 3 - i : i)));
    pad(8);
    number(static_cast<std::uint32_t>(text.size()));
    m.insert(m.end(), text.begin(), text.end());
    m.push_back(0);
    return m;
}

TEST(BusProbe, ReadsAReplyInEitherByteOrderAndOnlyItsOwnBytes) {
    const std::string address = "unix:path=/run/user/1000/at-spi/bus,guid=0123";
    for (const bool bigEndian : {false, true}) {
        Bytes bytes = Reply(bigEndian, 2, address);
        const std::size_t length = bytes.size();
        bytes.insert(bytes.end(), {'l', 4, 0, 1}); // the next message's start
        const rt::dbus::Parsed parsed = ParseMessage(bytes);
        ASSERT_EQ(parsed.state, State::Complete) << bigEndian;
        EXPECT_EQ(parsed.length, length);
        EXPECT_EQ(parsed.message.type, 2);
        EXPECT_EQ(parsed.message.replySerial, 2u);
        EXPECT_EQ(parsed.message.text, address);
    }
}

// Each read stays within the bytes received (the sanitizer builds check it).
TEST(BusProbe, AMessageCutShortWaitsForMoreAndOneThatLiesIsRefused) {
    const Bytes whole = Reply(false, 2, "unix:path=/bus");
    for (std::size_t length = 0; length < whole.size(); ++length)
        EXPECT_EQ(ParseMessage({whole.data(), length}).state, State::Incomplete) << length;

    const auto changed = [&whole](std::size_t at, std::initializer_list<unsigned char> bytes) {
        Bytes m = whole;
        std::copy(bytes.begin(), bytes.end(), m.begin() + static_cast<std::ptrdiff_t>(at));
        return m;
    };
    const std::size_t bodyStart = whole.size() - (4 + 14 + 1);
    const Bytes lies[] = {
        changed(0, {'x'}),                            // no byte order
        changed(3, {2}),                              // another protocol version
        changed(4, {0xFF, 0xFF, 0xFF, 0xFF}),         // a body of 4 GiB
        changed(12, {0xF0, 0xFF, 0xFF, 0x7F}),        // header fields of 2 GiB
        changed(18, {'v'}),                           // a header field of a type D-Bus never gives one
        changed(25, {200}),                           // a signature longer than the fields
        changed(bodyStart, {0xF0, 0xFF, 0xFF, 0xFF}), // a string longer than the body
        changed(whole.size() - 1, {'x'}),             // a string without its end
    };
    for (const Bytes& lie : lies)
        EXPECT_EQ(ParseMessage(lie).state, State::Malformed) << "lie " << &lie - lies;
}

TEST(BusProbe, ReadsTheUnixSocketsOfAnAddressListAndLeavesOutWhatLibdbusWouldRefuse) {
    const auto sockets = rt::dbus::UnixSockets(
        "unix:path=/run/user/1000/bus,guid=0123;tcp:host=localhost,port=1;unix:abstract=/tmp/dbus-%41%2c;");
    ASSERT_EQ(sockets.size(), 2u);
    EXPECT_EQ(sockets[0].entry, "unix:path=/run/user/1000/bus,guid=0123");
    EXPECT_EQ(sockets[0].name, "/run/user/1000/bus");
    EXPECT_FALSE(sockets[0].abstract);
    EXPECT_EQ(sockets[1].name, "/tmp/dbus-A,");
    EXPECT_TRUE(sockets[1].abstract);

    const std::string refused[] = {
        "unix:path=/a b",           "unix:path=/a%4", "unix:path=/a%zz",
        "unix:path=/a,abstract=/b", "unix:guid=1",    "unix:path=",
        "unix:path=/a%00b",         "unix:path",      "unix:path=/" + std::string(120, 'a')};
    for (const std::string& bad : refused)
        EXPECT_TRUE(rt::dbus::UnixSockets(bad).empty()) << bad;
}

} // namespace

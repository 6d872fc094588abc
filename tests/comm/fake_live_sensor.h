// A scripted sensor for the live image receiver: answers its "Init" and
// sends whatever datagrams a test gives it, from its own port or from a
// stranger's.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <string>

#include "live_frames.h"
#include "platform/ipv4.h"
#include "platform/udp_socket.h"

namespace vt::test {

class FakeLiveSensor {
public:
    explicit FakeLiveSensor(const std::string& address) : address_(*vt::parseIpv4(address.c_str())) {
        EXPECT_EQ(socket_.open(), 0);
        EXPECT_EQ(socket_.bind({address_, 0}), 0);
        EXPECT_EQ(stranger_.open(), 0);
        EXPECT_EQ(stranger_.bind({address_, 0}), 0);
    }

    uint16_t port() const { return socket_.localEndpoint().port; }

    // Waits for the receiver's "Init" and, unless told to keep quiet, answers
    // it; the receiver's endpoint, or nothing when none came within the bound.
    std::optional<Ipv4Endpoint> awaitInit(std::chrono::milliseconds bound = std::chrono::seconds(10),
                                          bool answer = true) {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        Datagram buffer(5001);
        while (std::chrono::steady_clock::now() < deadline) {
            if (socket_.waitReadable(std::chrono::milliseconds(50)) <= 0) continue;
            Ipv4Endpoint from;
            const long n = socket_.receive(buffer, &from);
            if (n == 4 && std::memcmp(buffer.data(), "Init", 4) == 0) {
                peer_ = from;
                const Datagram init{std::byte{'I'}, std::byte{'n'}, std::byte{'i'}, std::byte{'t'}};
                if (answer) socket_.sendTo(init, from);
                return from;
            }
        }
        return std::nullopt;
    }

    void send(const Datagram& d) { EXPECT_EQ(socket_.sendTo(d, peer_), 0); }
    void sendFromStranger(const Datagram& d) { EXPECT_EQ(stranger_.sendTo(d, peer_), 0); }
    void sendFrame(std::uint16_t number, int count = 3) {
        send(liveHeader(count, number));
        for (const Datagram& d : liveFragments(liveJpeg(number), count)) send(d);
    }

private:
    uint32_t address_;
    vt::UdpSocket socket_;
    vt::UdpSocket stranger_;
    Ipv4Endpoint peer_{};
};

}  // namespace vt::test

// The simulated sensor's answer to the discovery query.
//
// Each responder binds one address of its own (in tests an address in
// 127.0.0.0/8), so every other address stays silent and refuses the query.
// A responder with another identification stands for a foreign device.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "platform/udp_socket.h"

namespace vt::sim {

struct DiscoveryIdentity {
    std::string identification = "QEL DOVIZEREZI";
    std::string type = "K7M";
    std::string name = "Simulated sensor";
    std::string secondText;
    std::string ip;  // empty: the responder's own address
    std::string mask = "255.255.255.0";
    std::string mac = "00:0A:3C:00:00:01";
    bool dhcp = false;
    int number1 = 0;
    int number2 = 0;
};

// The reply datagram: every field followed by the byte 0x1C.
std::string discoveryReplyText(const DiscoveryIdentity& identity);

class DiscoveryResponder {
public:
    DiscoveryResponder() = default;
    explicit DiscoveryResponder(DiscoveryIdentity identity) : identity_(std::move(identity)) {}
    ~DiscoveryResponder() { stop(); }
    DiscoveryResponder(const DiscoveryResponder&) = delete;
    DiscoveryResponder& operator=(const DiscoveryResponder&) = delete;

    // Binds address:port (port 0: an ephemeral one) and answers on its own
    // thread. Returns 0 or an errno value.
    int start(uint32_t address, uint16_t port);
    void stop();

    uint32_t address() const { return local_.address; }
    uint16_t port() const { return local_.port; }

    void setIdentity(const DiscoveryIdentity& identity);
    DiscoveryIdentity identity() const;
    // A silent responder takes queries and never answers.
    void setSilent(bool silent) { silent_ = silent; }
    // A slow sensor: each answer leaves this long after its query.
    void setReplyDelay(std::chrono::milliseconds delay) { delayMs_ = static_cast<int>(delay.count()); }
    int queriesReceived() const { return queries_.load(); }

private:
    void serve();

    mutable std::mutex mutex_;
    DiscoveryIdentity identity_;
    std::atomic<bool> silent_{false};
    std::atomic<int> delayMs_{0};
    std::atomic<bool> stopping_{false};
    std::atomic<int> queries_{0};
    vt::UdpSocket socket_;
    vt::Ipv4Endpoint local_;
    std::thread thread_;
};

}  // namespace vt::sim

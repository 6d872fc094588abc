#include "sim/discovery_responder.h"

#include <array>
#include <charconv>
#include <string_view>
#include <thread>

#include "platform/ipv4.h"

namespace vt::sim {
namespace {

constexpr char kFieldEnd = '\x1C';
// What the library sends: the text and its zero, in a 512-byte datagram.
constexpr std::string_view kQuery{" 113 , 28928\0", 13};
constexpr std::size_t kQuerySize = 512;

void appendNumber(std::string& out, int value) {
    std::array<char, 16> digits{};
    auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    out.append(digits.data(), end);
    out += kFieldEnd;
}

}  // namespace

std::string discoveryReplyText(const DiscoveryIdentity& identity) {
    std::string out;
    for (const std::string* field : {&identity.identification, &identity.type, &identity.name,
                                     &identity.secondText, &identity.ip, &identity.mask, &identity.mac}) {
        out += *field;
        out += kFieldEnd;
    }
    appendNumber(out, identity.dhcp ? 1 : 0);
    appendNumber(out, identity.number1);
    appendNumber(out, identity.number2);
    return out;
}

int DiscoveryResponder::start(uint32_t address, uint16_t port) {
    stop();
    if (int error = socket_.open(); error != 0) return error;
    if (int error = socket_.bind({address, port}); error != 0) {
        socket_.close();
        return error;
    }
    local_ = socket_.localEndpoint();
    stopping_ = false;
    thread_ = std::thread([this] { serve(); });
    return 0;
}

void DiscoveryResponder::stop() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    socket_.close();
}

void DiscoveryResponder::setIdentity(const DiscoveryIdentity& identity) {
    std::lock_guard lock(mutex_);
    identity_ = identity;
}

DiscoveryIdentity DiscoveryResponder::identity() const {
    std::lock_guard lock(mutex_);
    return identity_;
}

void DiscoveryResponder::serve() {
    std::array<char, 2048> buffer{};
    while (!stopping_) {
        if (socket_.waitReadable(std::chrono::milliseconds(20)) <= 0) continue;
        vt::Ipv4Endpoint from;
        long size = socket_.receive(std::as_writable_bytes(std::span(buffer)), &from);
        if (size < 0) continue;
        std::string_view query(buffer.data(), static_cast<std::size_t>(size));
        if (query.size() != kQuerySize || !query.starts_with(kQuery)) continue;
        ++queries_;
        if (silent_) continue;
        DiscoveryIdentity identity = this->identity();
        if (identity.ip.empty()) identity.ip = vt::formatIpv4(local_.address);
        std::string reply = discoveryReplyText(identity);
        if (int delay = delayMs_.load(); delay > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        (void)socket_.sendTo(std::as_bytes(std::span(reply.data(), reply.size())), from);
    }
}

}  // namespace vt::sim

#include "sensor_query.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "platform/udp_socket.h"
#include "reply_parser.h"

namespace sonvira {
namespace {

constexpr std::size_t kRequestSize = 512;
constexpr std::size_t kReplyLimit = 511;
constexpr int kWaits = 5;
constexpr std::chrono::milliseconds kWaitTime{100};
// The port 113 and its network-order value read as a host number; sensors
// expect exactly this text, whatever port the query goes to.
constexpr std::string_view kRequestText = " 113 , 28928";

DiscoveryStatus systemError(int error) {
    return SONVIRA_SYSTEM_ERROR_BASE + error;
}

// 1 ready, 0 timeout or stop, -errno.
int waitSliced(const vt::UdpSocket& socket, std::chrono::milliseconds total, const StopFlag& stop) {
    while (total.count() > 0) {
        if (stop.requested()) return 0;
        auto slice = std::min(total, kStopCheckInterval);
        int ready = socket.waitReadable(slice);
        if (ready != 0) return ready;
        total -= slice;
    }
    return 0;
}

}  // namespace

DiscoveryStatus querySensor(uint32_t host, uint16_t port, const StopFlag& stop,
                            SensorDiscoveryRecord& record) {
    std::memset(&record, 0, sizeof record);
    vt::UdpSocket socket;
    if (socket.open() != 0) return SONVIRA_REPLY_TRUNCATED;
    if (int error = socket.connect({host, port}); error != 0) return systemError(error);

    std::array<std::byte, kRequestSize> request{};
    std::memcpy(request.data(), kRequestText.data(), kRequestText.size());
    if (int error = socket.send(request); error != 0) return systemError(error);

    for (int attempt = 0; attempt < kWaits; ++attempt) {
        int ready = waitSliced(socket, kWaitTime, stop);
        if (stop.requested()) return 0;
        if (ready < 0) return systemError(-ready);
        if (ready == 0) continue;
        std::array<char, kReplyLimit + 1> reply{};
        long size = socket.receive(std::as_writable_bytes(std::span(reply.data(), kReplyLimit)));
        if (size == -EAGAIN || size == -EWOULDBLOCK) continue;
        if (size < 0) return systemError(static_cast<int>(-size));
        if (size == 0) return 0;
        return parseDiscoveryReply(std::string_view(reply.data(), static_cast<std::size_t>(size)), record);
    }
    return 0;
}

}  // namespace sonvira

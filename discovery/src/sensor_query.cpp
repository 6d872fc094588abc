#include "sensor_query.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <deque>
#include <string_view>
#include <vector>

#include "platform/udp_socket.h"
#include "reply_parser.h"

namespace sonvira {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kRequestSize = 512;
constexpr std::size_t kReplyLimit = 511;
// The port 113 and its network-order value read as a host number; sensors
// expect exactly this text, whatever port the query goes to.
constexpr std::string_view kRequestText = " 113 , 28928";

DiscoveryStatus systemError(int error) {
    return SONVIRA_SYSTEM_ERROR_BASE + error;
}

// One host's query from the request to its result.
struct Query {
    vt::UdpSocket socket;
    Clock::time_point deadline;
    bool done = false;
    DiscoveryStatus status = 0;
    SensorDiscoveryRecord record{};

    void finish(DiscoveryStatus result) {
        status = result;
        done = true;
        socket.close();
    }

    // False when no socket could be opened (the host is not asked yet).
    bool start(uint32_t host, uint16_t port, std::chrono::milliseconds replyWindow) {
        if (socket.open() != 0) return false;
        if (int error = socket.connect({host, port}); error != 0) {
            finish(systemError(error));
            return true;
        }
        std::array<std::byte, kRequestSize> request{};
        std::memcpy(request.data(), kRequestText.data(), kRequestText.size());
        if (int error = socket.send(request); error != 0) {
            finish(systemError(error));
            return true;
        }
        deadline = Clock::now() + replyWindow;
        return true;
    }

    void read() {
        std::array<char, kReplyLimit + 1> reply{};
        long size = socket.receive(std::as_writable_bytes(std::span(reply.data(), kReplyLimit)));
        if (size == -EAGAIN || size == -EWOULDBLOCK) return;
        if (size < 0) return finish(systemError(static_cast<int>(-size)));
        if (size == 0) return finish(0);
        finish(parseDiscoveryReply(std::string_view(reply.data(), static_cast<std::size_t>(size)), record));
    }
};

}  // namespace

void queryHosts(std::span<const uint32_t> hosts, const QueryOptions& options, const StopFlag& stop,
                const QueryResultSink& onResult) {
    const std::size_t inFlight = std::max<std::size_t>(options.inFlight, 1);
    // Queries from the first host not yet handed over on, in host order.
    std::deque<Query> window;
    std::size_t handed = 0;
    std::vector<const vt::UdpSocket*> waiting;
    std::vector<Query*> waitingQueries;
    std::vector<bool> ready;
    while (!stop.requested()) {
        while (handed + window.size() < hosts.size() && window.size() < inFlight) {
            Query& query = window.emplace_back();
            if (query.start(hosts[handed + window.size() - 1], options.port, options.replyWindow)) continue;
            window.pop_back();
            // Out of sockets: wait for those in flight, or fail this host alone.
            if (!window.empty() && std::any_of(window.begin(), window.end(), [](const Query& q) { return !q.done; }))
                break;
            window.emplace_back().finish(SONVIRA_REPLY_TRUNCATED);
        }
        while (!window.empty() && window.front().done) {
            const bool more = onResult(handed, window.front().status, window.front().record);
            window.pop_front();
            ++handed;
            if (!more) return;
        }
        if (window.empty()) {
            if (handed >= hosts.size()) return;
            continue;
        }

        waiting.clear();
        waitingQueries.clear();
        auto now = Clock::now();
        Clock::time_point earliest = now + kStopCheckInterval;
        for (Query& query : window) {
            if (query.done) continue;
            if (query.deadline <= now) {
                // An answer that came while this thread was not running still counts.
                query.read();
                if (!query.done) query.finish(0);
                continue;
            }
            earliest = std::min(earliest, query.deadline);
            waiting.push_back(&query.socket);
            waitingQueries.push_back(&query);
        }
        if (waiting.empty()) continue;
        const int got = vt::waitAnyReadable(waiting, std::chrono::ceil<std::chrono::milliseconds>(earliest - now),
                                            ready);
        if (got < 0) {
            for (Query* query : waitingQueries) query->finish(systemError(-got));
            continue;
        }
        for (std::size_t i = 0; i < waitingQueries.size(); ++i)
            if (ready[i]) waitingQueries[i]->read();
    }
}

DiscoveryStatus querySensor(uint32_t host, const QueryOptions& options, const StopFlag& stop,
                            SensorDiscoveryRecord& record) {
    std::memset(&record, 0, sizeof record);
    DiscoveryStatus status = 0;
    const uint32_t hosts[] = {host};
    queryHosts(hosts, options, stop, [&](std::size_t, DiscoveryStatus result, const SensorDiscoveryRecord& got) {
        status = result;
        record = got;
        return false;
    });
    return status;
}

}  // namespace sonvira

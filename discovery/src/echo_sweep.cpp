#include "echo_sweep.h"

#include <algorithm>
#include <thread>

#include "subnet_address.h"

namespace sonvira {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::size_t kBatchSize = 64;
// Pause after each request, so a sweep does not flood the network.
constexpr milliseconds kSendPause{10};
constexpr milliseconds kReplyTimeout{250};
constexpr milliseconds kBatchWaitLimit{1500};

struct Probe {
    uint32_t host = 0;
    uint16_t sequence = 0;
    bool answered = false;
};

class Batch {
public:
    Batch(vt::IcmpEcho& echo, const StopFlag& stop) : echo_(echo), stop_(stop) {}

    std::vector<Probe> probes;

    // Takes replies until the deadline; with untilAllAnswered, also ends when
    // every probe has its reply.
    void collect(Clock::time_point deadline, bool untilAllAnswered) {
        while (!stop_.requested()) {
            if (untilAllAnswered && answered_ == probes.size()) return;
            auto now = Clock::now();
            if (now >= deadline) {
                takeQueued();
                return;
            }
            auto left = std::chrono::ceil<milliseconds>(deadline - now);
            vt::IcmpEchoReply reply;
            int got = echo_.receive(std::min(left, kStopCheckInterval), reply);
            if (got < 0) return;
            if (got > 0) mark(reply);
        }
    }

    // Replies already here count, however late this thread got to run.
    void takeQueued() {
        vt::IcmpEchoReply reply;
        while (echo_.receive(milliseconds{0}, reply) > 0) mark(reply);
    }

private:
    void mark(const vt::IcmpEchoReply& reply) {
        for (auto& probe : probes)
            if (!probe.answered && probe.sequence == reply.sequence && probe.host == reply.source) {
                probe.answered = true;
                ++answered_;
                return;
            }
    }

    vt::IcmpEcho& echo_;
    const StopFlag& stop_;
    std::size_t answered_ = 0;
};

}  // namespace

DiscoveryStatus sweepSubnet(const std::string& network, const std::string& mask, vt::IcmpEcho* echo,
                            const StopFlag& stop, std::vector<uint32_t>& responders) {
    HostRange range;
    if (DiscoveryStatus status = range.begin(network.c_str(), mask.c_str()); status != SONVIRA_OK)
        return status;
    uint32_t host = 0;
    if (echo == nullptr) {
        while (range.next(host) == SONVIRA_OK) responders.push_back(host);
        return SONVIRA_OK;
    }

    echo->drain();
    uint16_t sequence = 0;
    bool more = true;
    while (more && !stop.requested()) {
        Batch batch(*echo, stop);
        while (batch.probes.size() < kBatchSize) {
            if (range.next(host) != SONVIRA_OK) {
                more = false;
                break;
            }
            batch.probes.push_back({host, sequence++, false});
        }
        auto start = Clock::now();
        for (const auto& probe : batch.probes) {
            if (stop.requested()) return SONVIRA_OK;
            // A request that cannot go out simply gets no reply.
            (void)echo->send(probe.host, probe.sequence);
            // The replies here so far, then the pause asleep: waking for
            // each reply in the pause cost more than the sweep's sending.
            const auto next = Clock::now() + kSendPause;
            batch.takeQueued();
            std::this_thread::sleep_until(next);
        }
        batch.collect(std::min(Clock::now() + kReplyTimeout, start + kBatchWaitLimit), true);
        for (const auto& probe : batch.probes)
            if (probe.answered) responders.push_back(probe.host);
    }
    return SONVIRA_OK;
}

}  // namespace sonvira

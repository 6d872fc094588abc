// Soak: a connected simulated sensor, first with the machine as it is, then
// with busy threads filling every core. The heartbeat must never report the
// sensor lost; the longest time without a probe while every core is busy is
// compared with the same while they are not.
// Usage: heartbeat_soak [seconds] (of the busy part: 60 by default, 6 in the
// smoke run; the quiet part takes a third of it, at least 6 s).
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "comparison.h"
#include "dravik/dravik.h"
#include "loopback_address.h"
#include "recording_target.h"
#include "sim/connection_methods.h"
#include "sim/sensor_state.h"
#include "sim/xmlrpc_server.h"

using namespace std::chrono;

namespace {

// The longest time in `length` without a probe, from its start to its end.
milliseconds LongestWithoutProbe(const vt::sim::XmlRpcServer& server, seconds length) {
    const auto start = steady_clock::now();
    auto last = start;
    std::size_t probes = server.countCalls("xmlHeartbeat");
    milliseconds longest{0};
    while (steady_clock::now() - start < length) {
        std::this_thread::sleep_for(20ms);
        const std::size_t now = server.countCalls("xmlHeartbeat");
        if (now != probes) {
            const auto t = steady_clock::now();
            longest = std::max(longest, duration_cast<milliseconds>(t - last));
            last = t;
            probes = now;
        }
    }
    return std::max(longest, duration_cast<milliseconds>(steady_clock::now() - last));
}

}  // namespace

int main(int argc, char** argv) {
    const int busySeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : vt::bench::Smoke() ? 6 : 60;
    const int quietSeconds = std::max(6, busySeconds / 3);
    vt::sim::SensorState sensor;
    vt::sim::XmlRpcServer server{vt::test::uniqueLoopbackAddress()};
    vt::sim::addConnectionMethods(server, sensor);
    if (!server.start()) {
        std::fprintf(stderr, "simulator: %s\n", server.error().c_str());
        return 1;
    }
    vt::test::RecordingTarget window;
    char version[DRAVIK_CONNECT_TEXT_SIZE] = {}, type[DRAVIK_CONNECT_TEXT_SIZE] = {};
    const int connected =
        Connect(window.window(), "soak", server.address().c_str(), server.port(), version, type);
    if (connected != COMM_OK) {
        std::fprintf(stderr, "cannot connect: %d\n", connected);
        return 1;
    }

    const milliseconds quiet = LongestWithoutProbe(server, seconds(quietSeconds));
    std::atomic<bool> busy{true};
    std::vector<std::thread> burners;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < cores * 2; ++i)
        burners.emplace_back([&busy] {
            volatile unsigned long spin = 0;
            while (busy.load(std::memory_order_relaxed)) spin = spin + 1;
        });
    const milliseconds loaded = LongestWithoutProbe(server, seconds(busySeconds));
    busy = false;
    for (auto& t : burners) t.join();

    std::size_t lost = 0;
    for (const auto& m : window.messages())
        lost += (m.message == WM_SENSORNOTIFY && m.wParam == SN_CONNECTION_LOST);
    Disconnect(nullptr);
    std::printf("quiet %d s, then %u busy threads on %u cores %d s; connection-lost reports: %zu (expected 0)\n",
                quietSeconds, cores * 2, cores, busySeconds, lost);
    const bool measured = vt::bench::Compare("longest time without a heartbeat probe, every core busy",
                                             double(loaded.count()), "the same, cores not busy",
                                             double(quiet.count()), "ms");
    return lost != 0 ? 2 : measured ? 0 : 1;
}

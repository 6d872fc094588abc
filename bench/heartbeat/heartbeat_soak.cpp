// Soak: a connected simulated sensor while busy threads fill every core.
// Usage: heartbeat_soak [seconds] (60 by default).
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "dravik/dravik.h"
#include "loopback_address.h"
#include "recording_target.h"
#include "sim/connection_methods.h"
#include "sim/sensor_state.h"
#include "sim/xmlrpc_server.h"

using namespace std::chrono;

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    vt::sim::SensorState sensor;
    vt::sim::XmlRpcServer server{vt::test::uniqueLoopbackAddress()};
    vt::sim::addConnectionMethods(server, sensor);
    if (!server.start()) {
        std::fprintf(stderr, "simulator: %s\n", server.error().c_str());
        return 1;
    }
    vt::test::RecordingTarget window;
    char version[DRAVIK_CONNECT_TEXT_SIZE] = {}, type[DRAVIK_CONNECT_TEXT_SIZE] = {};
    const int connected = Connect(window.window(), "soak", server.address().c_str(), server.port(), version, type);
    if (connected != COMM_OK) {
        std::fprintf(stderr, "cannot connect: %d\n", connected);
        return 1;
    }

    std::atomic<bool> busy{true};
    std::vector<std::thread> burners;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < cores * 2; ++i)
        burners.emplace_back([&busy] {
            volatile unsigned long spin = 0;
            while (busy.load(std::memory_order_relaxed)) spin = spin + 1;
        });

    const auto start = steady_clock::now();
    auto lastProbe = start;
    std::size_t probes = server.countCalls("xmlHeartbeat");
    milliseconds longestGap{0};
    while (steady_clock::now() - start < seconds * 1s) {
        std::this_thread::sleep_for(20ms);
        const std::size_t now = server.countCalls("xmlHeartbeat");
        if (now != probes) {
            const auto t = steady_clock::now();
            if (probes != 0) longestGap = std::max(longestGap, duration_cast<milliseconds>(t - lastProbe));
            lastProbe = t;
            probes = now;
        }
    }
    busy = false;
    for (auto& t : burners) t.join();

    std::size_t lost = 0;
    for (const auto& m : window.messages()) lost += (m.message == WM_SENSORNOTIFY && m.wParam == SN_CONNECTION_LOST);
    Disconnect(nullptr);
    std::printf("busy threads: %u on %u cores, %d s\n", cores * 2, cores, seconds);
    std::printf("connection-lost reports: %zu (expected 0)\n", lost);
    std::printf("heartbeat probes: %zu, longest gap %lld ms (cycle about 2050 ms expected)\n", probes,
                static_cast<long long>(longestGap.count()));
    return lost == 0 ? 0 : 2;
}

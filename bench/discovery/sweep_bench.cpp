// A search of a /24 on loopback: every address answers the echo (all of
// 127.0.0.0/8 does), three answer the discovery query, the rest refuse it
// or (the "silent" runs) take the query and never answer, as hosts without
// a responder on a real network do.
//
// Compare: an echo sweep of a /24 took about 8.6 s (four batches of 64);
// querying every silent host one after another took up to 500 ms each,
// about 127 s per /24. Side by side, a /24 takes about one reply window.
#include <benchmark/benchmark.h>

#include <set>

#include "loopback_subnet.h"
#include "sim/discovery_network.h"
#include "subnet_search.h"

namespace {

void searchSlash24(benchmark::State& state, bool echo, bool silentHosts) {
    auto subnet = vt::test::uniqueLoopbackSubnet(24);
    vt::sim::DiscoveryNetwork sensors;
    const std::set<uint32_t> sensorHosts{10u, 100u, 200u};
    for (uint32_t host = 1; host <= 254; ++host) {
        const bool sensor = sensorHosts.count(host) != 0;
        if (!sensor && !silentHosts) continue;
        auto* responder = sensors.add(subnet.host(host), {});
        if (responder == nullptr) {
            state.SkipWithError("cannot bind a responder");
            return;
        }
        responder->setSilent(!sensor);
    }
    sonvira::StopFlag stop;
    sonvira::SubnetSearch search({sensors.port(), echo}, stop);
    if (search.open() != 0) {
        state.SkipWithError("no sockets");
        return;
    }
    state.SetLabel(std::string(search.queriesEveryHost() ? "every host queried" : "echo sweep") +
                   (silentHosts ? ", other hosts silent" : ", other hosts refuse") +
                   (search.queriesEveryHost() && silentHosts ? " (one at a time: ~127000 ms)" : "") +
                   (!search.queriesEveryHost() ? " (batches of 64: ~8600 ms)" : ""));
    int found = 0;
    for (auto _ : state) {
        found = search.run(subnet.networkText(), subnet.maskText(), [](auto) { return true; });
        benchmark::DoNotOptimize(found);
    }
    if (found != 3) state.SkipWithError("did not find the three sensors");
    state.counters["sensors"] = found;
}

BENCHMARK_CAPTURE(searchSlash24, echo, true, false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(searchSlash24, echo_silent, true, true)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(searchSlash24, every_host, false, false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(searchSlash24, every_host_silent, false, true)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

// A search of a /24 on loopback: every address answers the echo (all of
// 127.0.0.0/8 does), three answer the discovery query, the rest refuse it.
#include <benchmark/benchmark.h>

#include "loopback_subnet.h"
#include "sim/discovery_network.h"
#include "subnet_search.h"

namespace {

void searchSlash24(benchmark::State& state, bool echo) {
    auto subnet = vt::test::uniqueLoopbackSubnet(24);
    vt::sim::DiscoveryNetwork sensors;
    for (uint32_t host : {10u, 100u, 200u}) {
        if (sensors.add(subnet.host(host), {}) == nullptr) {
            state.SkipWithError("cannot bind a responder");
            return;
        }
    }
    sonvira::StopFlag stop;
    sonvira::SubnetSearch search({sensors.port(), echo}, stop);
    if (search.open() != 0) {
        state.SkipWithError("no sockets");
        return;
    }
    state.SetLabel(search.queriesEveryHost() ? "every host queried" : "echo sweep");
    int found = 0;
    for (auto _ : state) {
        found = search.run(subnet.networkText(), subnet.maskText(), [](auto) { return true; });
        benchmark::DoNotOptimize(found);
    }
    if (found != 3) state.SkipWithError("did not find the three sensors");
    state.counters["sensors"] = found;
}

BENCHMARK_CAPTURE(searchSlash24, echo, true)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(searchSlash24, every_host, false)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

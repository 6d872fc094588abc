// A search of a /24 on loopback: every address answers the echo (all of
// 127.0.0.0/8 does), three answer the discovery query, the rest refuse it
// or (the "silent" runs) take the query and never answer, as hosts without
// a responder on a real network do. Each search two ways: the echo sweep
// first (where the system allows echo sockets; as root here) and every host
// queried without it. Times are wall times; cpu_ms is the searching
// thread's CPU time per search.
//
// Compared: the echo sweep's CPU (the sweep alone, before its queries)
// beside the same /24 queried host by host (goal: under 10 ms; its pacing,
// 10 ms per request, stays), and the search's wall time with silent hosts
// beside every host queried.
#include <benchmark/benchmark.h>
#include <time.h>

#include <set>

#include "comparison.h"
#include "echo_sweep.h"
#include "loopback_subnet.h"
#include "sim/discovery_network.h"
#include "subnet_search.h"

namespace {

double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

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
                 (silentHosts ? ", other hosts silent" : ", other hosts refuse"));
  int found = 0;
  double cpuMs = 0;
  for (auto _ : state) {
    const double before = ThreadCpuMs();
    found = search.run(subnet.networkText(), subnet.maskText(), [](auto) { return true; });
    cpuMs += ThreadCpuMs() - before;
    benchmark::DoNotOptimize(found);
  }
  if (found != 3) state.SkipWithError("did not find the three sensors");
  state.counters["sensors"] = found;
  state.counters["cpu_ms"] = state.iterations() > 0 ? cpuMs / double(state.iterations()) : 0;
}

// The echo sweep alone, without the queries after it.
void echoSweepAlone(benchmark::State& state) {
  auto subnet = vt::test::uniqueLoopbackSubnet(24);
  vt::IcmpEcho echo;
  echo.open();
  if (echo.kind() == vt::IcmpEchoKind::None) {
    state.SkipWithError("the system permits no echo socket");
    return;
  }
  sonvira::StopFlag stop;
  std::vector<uint32_t> responders;
  double cpuMs = 0;
  for (auto _ : state) {
    responders.clear();
    const double before = ThreadCpuMs();
    sonvira::sweepSubnet(subnet.networkText(), subnet.maskText(), &echo, stop, responders);
    cpuMs += ThreadCpuMs() - before;
  }
  if (responders.size() != 254) state.SkipWithError("not every host answered");
  state.counters["cpu_ms"] = state.iterations() > 0 ? cpuMs / double(state.iterations()) : 0;
}

const int kSearches = vt::bench::Repetitions(3);
BENCHMARK(echoSweepAlone)->Unit(benchmark::kMillisecond)->Iterations(kSearches)->UseRealTime();
BENCHMARK_CAPTURE(searchSlash24, echo, true, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kSearches)
    ->UseRealTime();
BENCHMARK_CAPTURE(searchSlash24, echo_silent, true, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kSearches)
    ->UseRealTime();
BENCHMARK_CAPTURE(searchSlash24, every_host, false, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kSearches)
    ->UseRealTime();
BENCHMARK_CAPTURE(searchSlash24, every_host_silent, false, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kSearches)
    ->UseRealTime();

const bool compared =
    vt::bench::AddComparison({{"echo sweep of a /24, CPU", "echoSweepAlone", "cpu_ms"},
                              {"the same /24 queried host by host", "searchSlash24/every_host", "cpu_ms"}}) &&
    vt::bench::AddComparison({{"echo sweep of a /24 with silent hosts, wall", "searchSlash24/echo_silent"},
                              {"every host queried", "searchSlash24/every_host_silent"}});

}  // namespace

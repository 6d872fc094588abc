// A whole update against the simulator on loopback: the image read, written
// as one base64 request, parsed by the simulated sensor. Reports MB/s of
// image and the peak resident size, since the whole image and its request
// are held in memory at once.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <string>

#include "brimsol/brimsol.h"
#include "loopback_address.h"
#include "sim/update_methods.h"
#include "sim/xmlrpc_server.h"
#include "temp_dir.h"

namespace {

void updateImage(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0)) * 1024 * 1024;
    vt::test::TempDir dir;
    const auto file = dir.write("image.swu", std::string(bytes, '\x5A'));
    vt::sim::UpdateMethods methods;
    vt::sim::XmlRpcServer server{vt::test::uniqueLoopbackAddress()};
    methods.install(server);
    if (!server.start()) {
        state.SkipWithError("cannot start the simulator");
        return;
    }
    for (auto _ : state) {
        if (Brimsol_setfilename(file.c_str()) != BRIMSOL_OK ||
            Brimsol_update(server.address().c_str(), server.port()) != BRIMSOL_OK) {
            state.SkipWithError("update failed");
            return;
        }
        state.PauseTiming();  // the simulator keeps what it received
        server.clearCalls();
        methods.clearImages();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

BENCHMARK(updateImage)->Arg(1)->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

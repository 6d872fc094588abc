// A whole update against the simulator on loopback: the image read, written
// as one base64 request, parsed by the simulated sensor. Beside it, the
// floor: the same bytes base64-encoded, copied through a loopback socket
// and decoded, with nothing else. Reports milliseconds per update, the
// floor and their ratio (median and minimum of rounds taken in turns), MB/s
// of image and the peak resident size.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "brimsol/brimsol.h"
#include "loopback_address.h"
#include "sim/method_call.h"
#include "sim/update_methods.h"
#include "sim/xmlrpc_server.h"
#include "temp_dir.h"
#include "xmlrpc/XmlRpcValue.h"

namespace {

using Clock = std::chrono::steady_clock;

// A connected pair of TCP sockets on loopback.
bool loopbackPair(int& writer, int& reader) {
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    bool ok = listener >= 0 && ::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
              ::listen(listener, 1) == 0 &&
              getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len) == 0;
    writer = ok ? ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0) : -1;
    ok = ok && writer >= 0 && ::connect(writer, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    reader = ok ? ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC) : -1;
    if (listener >= 0) ::close(listener);
    return ok && reader >= 0;
}

// Encode, copy through loopback, decode: what no update can be faster than.
double floorMilliseconds(const XmlRpc::XmlRpcValue::BinaryData& image) {
    int writer = -1;
    int reader = -1;
    if (!loopbackPair(writer, reader)) return 0;
    // Large socket buffers: the copy, not the hand-over between threads.
    const int buffer = 16 << 20;
    setsockopt(writer, SOL_SOCKET, SO_SNDBUF, &buffer, sizeof buffer);
    setsockopt(reader, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
    const auto begin = Clock::now();
    std::string encoded;
    XmlRpc::XmlRpcValue::appendBase64(encoded, image.data(), image.size());
    std::thread send([&] {
        for (std::size_t sent = 0; sent < encoded.size();) {
            const ssize_t n = ::send(writer, encoded.data() + sent, encoded.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) break;
            sent += static_cast<std::size_t>(n);
        }
    });
    std::string received(encoded.size(), '\0');
    for (std::size_t got = 0; got < received.size();) {
        const ssize_t n = ::recv(reader, received.data() + got, received.size() - got, 0);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    send.join();
    const auto decoded = vt::sim::decodeRequestBase64(received);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    ::close(writer);
    ::close(reader);
    return decoded.size() == image.size() ? ms : 0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Floor and update take turns, so a busy moment of the machine falls on
// both; the minimum of each is what a quiet machine does, the median what
// this one did.
void updateImage(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0)) * 1024 * 1024;
    vt::test::TempDir dir;
    const auto file = dir.write("image.swu", std::string(bytes, '\x5A'));
    vt::sim::UpdateMethods methods;
    methods.setImagesKept(0);
    vt::sim::XmlRpcServer server{vt::test::uniqueLoopbackAddress()};
    methods.install(server);
    if (!server.start()) {
        state.SkipWithError("cannot start the simulator");
        return;
    }
    const XmlRpc::XmlRpcValue::BinaryData image(bytes, 0x5A);
    std::vector<double> floors, updates;
    for (auto _ : state) {
        floors.push_back(floorMilliseconds(image));
        const auto begin = Clock::now();
        if (Brimsol_setfilename(file.c_str()) != BRIMSOL_OK ||
            Brimsol_update(server.address().c_str(), server.port()) != BRIMSOL_OK) {
            state.SkipWithError("update failed");
            return;
        }
        const std::chrono::duration<double> took = Clock::now() - begin;
        updates.push_back(took.count() * 1000.0);
        state.SetIterationTime(took.count());
    }
    const double floorMin = *std::min_element(floors.begin(), floors.end());
    const double updateMin = *std::min_element(updates.begin(), updates.end());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["update_ms"] = median(updates);
    state.counters["floor_ms"] = median(floors);
    state.counters["x_floor"] = median(floors) > 0 ? median(updates) / median(floors) : 0;
    state.counters["update_min_ms"] = updateMin;
    state.counters["floor_min_ms"] = floorMin;
    state.counters["x_floor_min"] = floorMin > 0 ? updateMin / floorMin : 0;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

BENCHMARK(updateImage)->Arg(1)->Iterations(15)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(updateImage)->Arg(5)->Iterations(11)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(updateImage)->Arg(20)->Iterations(5)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

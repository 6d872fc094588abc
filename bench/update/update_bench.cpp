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
#include "comparison.h"
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
// The least it can cost: the system's default socket buffers (larger ones
// made loopback slower), one connection and the buffers of every stage
// made once, before the first transfer.
class Floor {
public:
    explicit Floor(std::size_t imageBytes) {
        ok_ = loopbackPair(writer_, reader_);
        encoded_.reserve(XmlRpc::XmlRpcValue::base64Size(imageBytes));
        received_.resize(XmlRpc::XmlRpcValue::base64Size(imageBytes));
        decoded_.resize(vt::sim::decodedSizeBound(received_.size()));
    }
    ~Floor() {
        if (writer_ >= 0) ::close(writer_);
        if (reader_ >= 0) ::close(reader_);
    }
    Floor(const Floor&) = delete;
    Floor& operator=(const Floor&) = delete;

    // Milliseconds, or 0 when the bytes did not come through whole.
    double milliseconds(const XmlRpc::XmlRpcValue::BinaryData& image) {
        if (!ok_) return 0;
        const auto begin = Clock::now();
        encoded_.clear();
        XmlRpc::XmlRpcValue::appendBase64(encoded_, image.data(), image.size());
        std::thread send([this] {
            for (std::size_t sent = 0; sent < encoded_.size();) {
                const ssize_t n =
                    ::send(writer_, encoded_.data() + sent, encoded_.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) break;
                sent += static_cast<std::size_t>(n);
            }
        });
        std::size_t got = 0;
        while (got < encoded_.size()) {
            const ssize_t n = ::recv(reader_, received_.data() + got, encoded_.size() - got, 0);
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        send.join();
        const std::size_t decoded =
            vt::sim::decodeRequestBase64(std::string_view(received_.data(), got), decoded_.data());
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
        return got == encoded_.size() && decoded == image.size() ? ms : 0;
    }

private:
    bool ok_ = false;
    int writer_ = -1;
    int reader_ = -1;
    std::string encoded_;
    std::string received_;
    std::vector<unsigned char> decoded_;
};

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
    Floor floor(bytes);
    std::vector<double> floors, updates;
    for (auto _ : state) {
        floors.push_back(floor.milliseconds(image));
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

BENCHMARK(updateImage)
    ->Arg(1)
    ->Iterations(vt::bench::Repetitions(15))
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK(updateImage)
    ->Arg(5)
    ->Iterations(vt::bench::Repetitions(11))
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK(updateImage)
    ->Arg(20)
    ->Iterations(vt::bench::Repetitions(5))
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

const bool compared = [] {
    for (const char* megabytes : {"1", "5", "20"})
        vt::bench::AddComparison(
            {{std::string("update of ") + megabytes + " MB, median", std::string("updateImage/") + megabytes,
              "update_ms"},
             {"the floor (base64 through loopback)", std::string("updateImage/") + megabytes, "floor_ms"}});
    return true;
}();

}  // namespace

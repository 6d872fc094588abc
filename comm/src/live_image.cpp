#include "live_image.h"

#include <netdb.h>
#include <netinet/in.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <system_error>

#include "platform/thread_priority.h"
#include "sensor_bitmap_alloc.h"

namespace dravik {

namespace {

using namespace std::chrono_literals;

constexpr unsigned kWmSensorNotify = 1034;
constexpr uintptr_t kLiveImageFrame = 1000;
// The sensor needs a moment after "xmlStartLiveImage" before it listens.
constexpr auto kStartDelay = 100ms;
constexpr auto kHandshakeInterval = 5ms;
constexpr auto kSilenceLimit = 1s;
// Longest stretch a wait goes without looking at the stop flag.
constexpr auto kStopCheckInterval = 25ms;
// Room for a burst of fragments while the thread is not scheduled.
constexpr int kReceiveBufferBytes = 400000;

constexpr std::byte kInit[4] = {std::byte{'I'}, std::byte{'n'}, std::byte{'i'}, std::byte{'t'}};

std::optional<uint32_t> resolveIpv4(const char* host) {
    if (auto address = vt::parseIpv4(host)) return address;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host, nullptr, &hints, &found) != 0 || found == nullptr) return std::nullopt;
    const auto* sa = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    const uint32_t address = ntohl(sa->sin_addr.s_addr);
    ::freeaddrinfo(found);
    return address;
}

}  // namespace

CLiveImage::CLiveImage(VtWindow window, const char* host, int port) : window_(window) {
    datagram_.resize(kMaxLiveDatagramBytes + 1);
    for (auto& buffer : buffers_) buffer.resize(kMaxLiveFrameBytes);
    readCopy_.resize(kMaxLiveFrameBytes);
    const std::optional<uint32_t> address =
        (host != nullptr && port >= 1 && port <= 65535) ? resolveIpv4(host) : std::nullopt;
    if (!address) {
        error_ = kLiveImageNoSocket;
        return;
    }
    sensor_ = {*address, static_cast<uint16_t>(port)};
    vt::UdpSocket probe;
    if (probe.open() != 0) error_ = kLiveImageNoSocket;
}

CLiveImage::~CLiveImage() {
    Stop();
}

int CLiveImage::Start() {
    std::lock_guard control(controlMutex_);
    if (error_ != 0) return error_;
    if (thread_.joinable()) return 0;
    {
        std::lock_guard lock(stateMutex_);
        last_ = -1;
        lengths_ = {0, 0};
        current_ = 0;
    }
    // Cleared here, not by the thread, so a Stop right after Start counts.
    stop_ = false;
    try {
        thread_ = std::thread(&CLiveImage::run, this);
    } catch (const std::system_error&) {
        error_ = kLiveImageNoThread;
        return kLiveImageNoThread;
    }
    running_ = true;
    return 0;
}

void CLiveImage::Stop() {
    std::lock_guard control(controlMutex_);
    {
        std::lock_guard lock(pauseMutex_);
        stop_ = true;
    }
    pauseWake_.notify_all();
    if (thread_.joinable()) thread_.join();
    running_ = false;
}

bool CLiveImage::pause(std::chrono::milliseconds duration) {
    std::unique_lock lock(pauseMutex_);
    return !pauseWake_.wait_for(lock, duration, [this] { return stop_.load(); });
}

int CLiveImage::waitReadable(const vt::UdpSocket& socket, std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!stop_) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left <= 0ms) return 0;
        const int ready = socket.waitReadable(std::min<std::chrono::milliseconds>(left, kStopCheckInterval));
        if (ready != 0) return ready;
    }
    return 0;
}

void CLiveImage::run() {
    vt::setCurrentThreadIdlePriority();
    if (!pause(kStartDelay)) return;
    while (!stop_) {
        vt::UdpSocket socket = handshake();
        if (!socket.isOpen()) return;
        receive(socket);
    }
}

vt::UdpSocket CLiveImage::handshake() {
    while (!stop_) {
        // A fresh socket, so a sensor that lost track of us sees a new port.
        vt::UdpSocket socket;
        if (socket.open() != 0 || socket.connect(sensor_) != 0) {
            if (!pause(kHandshakeInterval)) break;
            continue;
        }
        socket.setReceiveBufferSize(kReceiveBufferBytes);
        for (;;) {
            if (!pause(kHandshakeInterval)) return {};
            if (socket.send(kInit) != 0) break;
            const int ready = waitReadable(socket, kSilenceLimit);
            if (stop_) return {};
            if (ready < 0) break;
            if (ready == 0) continue;
            const long n = socket.receive(datagram_);
            if (n == -EAGAIN || n == -EINTR) continue;
            if (n < 0) break;
            if (beginsWithInit(std::span(datagram_.data(), static_cast<std::size_t>(n)))) return socket;
        }
    }
    return {};
}

void CLiveImage::receive(vt::UdpSocket& socket) {
    FrameAssembler assembler;
    while (!stop_) {
        // Silence and errors alike end in a new handshake.
        if (waitReadable(socket, kSilenceLimit) <= 0) return;
        const long n = socket.receive(datagram_);
        if (n == -EAGAIN || n == -EINTR) continue;
        if (n < 0) return;
        const auto step =
            assembler.take(std::span(datagram_.data(), static_cast<std::size_t>(n)), buffers_[current_]);
        if (step == FrameAssembler::Step::Completed)
            publish(assembler.imageNumber(), assembler.frameLength());
    }
}

void CLiveImage::publish(std::uint16_t imageNumber, std::size_t length) {
    {
        std::lock_guard lock(stateMutex_);
        lengths_[current_] = length;
        last_ = current_;
        current_ = 1 - current_;
    }
    vt_post_message(window_, kWmSensorNotify, kLiveImageFrame, imageNumber);
}

int CLiveImage::GetLastImage(SensorBitmap** out) {
    std::lock_guard reader(readMutex_);
    std::size_t length = 0;
    {
        std::lock_guard lock(stateMutex_);
        if (last_ < 0 || !running_) return -1;
        length = lengths_[last_];
        std::memcpy(readCopy_.data(), buffers_[last_].data(), length);
    }
    SensorBitmap* bitmap = newSensorBitmap(kLiveFrameWidth, kLiveFrameHeight);
    if (bitmap == nullptr || !decoder_.decodeGrey(std::span(readCopy_.data(), length), kLiveFrameWidth,
                                                  kLiveFrameHeight, bitmap->pixels)) {
        freeSensorBitmap(bitmap);
        *out = nullptr;
        return -1;
    }
    *out = bitmap;
    return 0;
}

}  // namespace dravik

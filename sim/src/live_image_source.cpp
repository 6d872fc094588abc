#include "sim/live_image_source.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

#include "sim/live_image_jpeg.h"
#include "sim/live_image_scene.h"

namespace vt::sim {

namespace {

using Clock = std::chrono::steady_clock;
using Datagram = std::vector<std::byte>;

constexpr std::size_t kMaxDatagram = 5000;
constexpr std::size_t kMaxFragments = 127;
constexpr auto kPollInterval = std::chrono::milliseconds(20);

Datagram bytesOf(const char* text, std::size_t n) {
    Datagram d(n);
    std::memcpy(d.data(), text, n);
    return d;
}

Datagram header(std::size_t count, uint16_t number) {
    Datagram d = bytesOf("Init", 4);
    d.push_back(static_cast<std::byte>(count));
    d.push_back(static_cast<std::byte>(number >> 8));
    d.push_back(static_cast<std::byte>(number & 0xFF));
    return d;
}

Datagram garbage(uint16_t number) {
    std::minstd_rand random(number + 1u);
    Datagram d(1 + random() % 600);
    for (auto& b : d) b = static_cast<std::byte>(random());
    return d;
}

}  // namespace

int LiveImageSource::start(uint32_t address, uint16_t port) {
    stop();
    stopping_ = false;
    int error = socket_.open();
    if (error == 0) error = socket_.bind({address, port});
    if (error == 0) error = otherSocket_.open();
    if (error == 0) error = otherSocket_.bind({address, 0});
    if (error != 0) {
        socket_.close();
        otherSocket_.close();
        return error;
    }
    local_ = socket_.localEndpoint();
    try {
        thread_ = std::thread(&LiveImageSource::serve, this);
    } catch (const std::system_error& e) {
        socket_.close();
        otherSocket_.close();
        return e.code().value();
    }
    return 0;
}

void LiveImageSource::stop() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    socket_.close();
    otherSocket_.close();
}

void LiveImageSource::setFramesPerSecond(int fps) {
    std::lock_guard lock(mutex_);
    fps_ = std::clamp(fps, 1, 1000);
}

void LiveImageSource::setQuality(int quality) {
    std::lock_guard lock(mutex_);
    quality_ = std::clamp(quality, 1, 100);
}

int LiveImageSource::quality() const {
    std::lock_guard lock(mutex_);
    return quality_;
}

void LiveImageSource::setFragmentSize(std::size_t bytes) {
    std::lock_guard lock(mutex_);
    fragmentSize_ = std::clamp<std::size_t>(bytes, 1, kMaxDatagram - 1);
}

void LiveImageSource::setFaults(const LiveImageFaults& faults) {
    std::lock_guard lock(mutex_);
    faults_ = faults;
}

std::vector<Ipv4Endpoint> LiveImageSource::handshakes() const {
    std::lock_guard lock(mutex_);
    return {handshakes_.begin(), handshakes_.end()};
}

std::optional<uint16_t> LiveImageSource::lastFrameNumber() const {
    std::lock_guard lock(mutex_);
    return lastNumber_;
}

void LiveImageSource::serve() {
    Datagram buffer(kMaxDatagram + 1);
    Clock::time_point nextFrame = Clock::now();
    while (!stopping_) {
        std::optional<Ipv4Endpoint> target;
        std::chrono::milliseconds period;
        {
            std::lock_guard lock(mutex_);
            target = target_;
            period = std::chrono::milliseconds(1000 / fps_);
        }
        const bool sending = streaming_ && target.has_value();
        auto wait = kPollInterval;
        if (sending)
            wait = std::clamp(std::chrono::duration_cast<std::chrono::milliseconds>(nextFrame - Clock::now()),
                              std::chrono::milliseconds(0), kPollInterval);
        if (socket_.waitReadable(wait) > 0) {
            Ipv4Endpoint from;
            const long n = socket_.receive(buffer, &from);
            if (n >= 4 && std::memcmp(buffer.data(), "Init", 4) == 0) {
                {
                    std::lock_guard lock(mutex_);
                    target_ = from;
                    if (handshakes_.size() == kHandshakesKept) handshakes_.pop_front();
                    handshakes_.push_back(from);
                }
                ++handshakesReceived_;
                socket_.sendTo(bytesOf("Init", 4), from);
            }
            continue;
        }
        if (!sending) {
            nextFrame = Clock::now();
            continue;
        }
        const auto now = Clock::now();
        if (now < nextFrame) continue;
        sendFrame(*target);
        // A late frame does not make the next ones hurry.
        nextFrame = std::max(nextFrame + period, now);
    }
}

void LiveImageSource::sendFrame(Ipv4Endpoint target) {
    int quality;
    std::size_t fragmentSize;
    LiveImageFaults faults;
    uint16_t number;
    {
        std::lock_guard lock(mutex_);
        quality = quality_;
        fragmentSize = fragmentSize_;
        faults = faults_;
        number = nextNumber_++;
    }
    const std::vector<uint8_t> jpeg =
        encodeGreyJpeg(renderLiveFrame(number), kLiveSceneWidth, kLiveSceneHeight, quality);
    if (jpeg.empty()) return;
    fragmentSize = std::max(fragmentSize, (jpeg.size() + kMaxFragments - 1) / kMaxFragments);

    std::vector<Datagram> fragments;
    for (std::size_t offset = 0; offset < jpeg.size(); offset += fragmentSize) {
        const std::size_t n = std::min(fragmentSize, jpeg.size() - offset);
        Datagram d(1 + n);
        d[0] = static_cast<std::byte>(fragments.size());
        std::memcpy(d.data() + 1, jpeg.data() + offset, n);
        fragments.push_back(std::move(d));
    }
    const std::size_t count = fragments.size();

    std::vector<Datagram> datagrams;
    const bool faulty = faults.every != 0 && number % faults.every == 0;
    if (faulty && faults.sendGarbage) datagrams.push_back(garbage(number));
    datagrams.push_back(header(count, number));
    if (faulty) {
        const std::size_t middle = count / 2;
        if (faults.truncateFragment) fragments.back().resize(1 + (fragments.back().size() - 1) / 2);
        if (faults.reorderFragments && count >= 2) std::swap(fragments[middle - 1], fragments[middle]);
        if (faults.duplicateFragment) fragments.insert(fragments.begin() + middle, fragments[middle]);
        if (faults.dropFragment) fragments.erase(fragments.begin() + middle);
    }
    datagrams.insert(datagrams.end(), fragments.begin(), fragments.end());

    vt::UdpSocket& sender = faulty && faults.sendFromOtherPort ? otherSocket_ : socket_;
    for (const Datagram& d : datagrams) sender.sendTo(d, target);
    {
        std::lock_guard lock(mutex_);
        lastNumber_ = number;
    }
    ++framesSent_;
}

}  // namespace vt::sim

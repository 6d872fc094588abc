// The simulated sensor's live image stream over UDP.
//
// It answers every datagram that begins with "Init" with "Init", and while
// streaming is on it sends its scene (sim/live_image_scene.h) as JPEG frames
// at a set rate to the source of the latest "Init": a 7-byte header ("Init",
// fragment count, image number big-endian), then the fragments (index byte,
// slice of the file). The image number is the frame number in the pixels.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/udp_socket.h"
#include "sim/live_image_faults.h"

namespace vt::sim {

class LiveImageSource {
public:
    LiveImageSource() = default;
    ~LiveImageSource() { stop(); }
    LiveImageSource(const LiveImageSource&) = delete;
    LiveImageSource& operator=(const LiveImageSource&) = delete;

    // Binds address:port (port 0: an ephemeral one) and serves on its own
    // thread. Returns 0 or an errno value.
    int start(uint32_t address, uint16_t port);
    void stop();

    uint32_t address() const { return local_.address; }
    uint16_t port() const { return local_.port; }

    // "xmlStartLiveImage" and "xmlStopLiveImage" switch this.
    void setStreaming(bool on) { streaming_ = on; }
    bool streaming() const { return streaming_.load(); }

    void setFramesPerSecond(int fps);
    void setQuality(int quality);
    // Payload bytes per fragment (the count is raised to fit 127 fragments).
    void setFragmentSize(std::size_t bytes);
    void setFaults(const LiveImageFaults& faults);
    int quality() const;

    // Where the latest "Init"s came from (at most kHandshakesKept), oldest
    // first; every datagram can be one, so the list is bounded.
    static constexpr std::size_t kHandshakesKept = 64;
    std::vector<Ipv4Endpoint> handshakes() const;
    int handshakesReceived() const { return handshakesReceived_.load(); }
    int framesSent() const { return framesSent_.load(); }
    // The number of the latest frame sent, if any.
    std::optional<uint16_t> lastFrameNumber() const;

private:
    void serve();
    void sendFrame(Ipv4Endpoint target);

    mutable std::mutex mutex_;
    int fps_ = 25;
    int quality_ = 85;
    std::size_t fragmentSize_ = 1400;
    LiveImageFaults faults_;
    std::deque<Ipv4Endpoint> handshakes_;
    std::optional<Ipv4Endpoint> target_;
    std::optional<uint16_t> lastNumber_;
    uint16_t nextNumber_ = 1;

    std::atomic<bool> streaming_{false};
    std::atomic<bool> stopping_{false};
    std::atomic<int> framesSent_{0};
    std::atomic<int> handshakesReceived_{0};
    vt::UdpSocket socket_;
    vt::UdpSocket otherSocket_;
    Ipv4Endpoint local_;
    std::thread thread_;
};

}  // namespace vt::sim

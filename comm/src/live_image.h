// CLiveImage: receives the sensor's live image stream over UDP on a thread
// of its own and keeps the newest whole frame for the program.
//
// The thread says "Init" to the sensor's live-image port from a socket
// connected to that port (so only the sensor's datagrams get in), waits for
// the answer, and then reassembles frames into one of two buffers. A whole
// frame is published under a lock and announced to the window with
// WM_SENSORNOTIFY, wParam 1000, lParam the image number. One second of
// silence or a socket error starts the handshake again from a new socket.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "dravik/sensor_bitmap.h"
#include "frame_assembler.h"
#include "jpeg_decoder.h"
#include "platform/ipv4.h"
#include "platform/udp_socket.h"
#include "platform/window_target.h"

namespace dravik {

// The receiver's own error codes; the exports turn them into -24.
inline constexpr int kLiveImageNoSocket = -201;
inline constexpr int kLiveImageNoThread = -300;

class CLiveImage {
public:
    // Resolves host (an IPv4 address or a name) and checks that a UDP socket
    // can be made; error() tells how that went. Starts nothing.
    CLiveImage(VtWindow window, const char* host, int port);
    // Stops the thread.
    ~CLiveImage();
    CLiveImage(const CLiveImage&) = delete;
    CLiveImage& operator=(const CLiveImage&) = delete;

    // 0, kLiveImageNoSocket or kLiveImageNoThread.
    int error() const { return error_.load(); }

    // Starts the receive thread (0), or kLiveImageNoThread. Forgets the
    // frame of an earlier run. A running thread is left as it is.
    int Start();
    // Asks the thread to end and joins it; returns within a fraction of a
    // second. A stop right after Start is never lost.
    void Stop();
    bool running() const { return running_.load(); }

    // 0 and *out = the newest whole frame as a new 320 x 240 bitmap that the
    // caller owns; -1 (*out untouched) when no thread runs or no frame has
    // arrived yet; -1 and *out = null when the frame does not decode to a
    // 320 x 240 picture. The same frame can be taken again until a newer one
    // is in. Callers on several threads take turns; the stream goes on
    // meanwhile.
    int GetLastImage(SensorBitmap** out);

private:
    void run();
    // Returns a socket that the sensor has answered, or a closed one when
    // asked to stop.
    vt::UdpSocket handshake();
    // Receives until silence, a socket error or a stop.
    void receive(vt::UdpSocket& socket);
    void publish(std::uint16_t imageNumber, std::size_t length);
    // Waits for a datagram in short slices, so a stop is seen soon:
    // 1 ready, 0 timeout or stop, -errno.
    int waitReadable(const vt::UdpSocket& socket, std::chrono::milliseconds timeout) const;
    // false when asked to stop.
    bool pause(std::chrono::milliseconds duration);

    const VtWindow window_;
    std::vector<std::byte> datagram_;  // thread only
    vt::Ipv4Endpoint sensor_{};
    std::atomic<int> error_{0};

    std::mutex controlMutex_;  // Start and Stop
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
    std::mutex pauseMutex_;
    std::condition_variable pauseWake_;

    // The two frame buffers: the thread writes into current_ unlocked; a
    // whole frame is published by making it last_ under stateMutex_, and the
    // thread moves on to the other buffer. A reader copies last_ under the
    // same lock and decodes its copy, so reading never holds up the stream.
    std::array<std::vector<std::byte>, 2> buffers_;
    int current_ = 0;  // thread only
    std::mutex stateMutex_;
    std::array<std::size_t, 2> lengths_{0, 0};  // under stateMutex_
    int last_ = -1;                             // under stateMutex_

    std::mutex readMutex_;  // one reader at a time: the copy and the decoder
    std::vector<std::uint8_t> readCopy_;
    JpegDecoder decoder_;
};

}  // namespace dravik

// What the live image stream costs beyond decoding its frames. Each
// benchmark reports frames per second ("fps"):
//   DecodeAlone            - the JPEG decoder on a stored frame
//   ReassembleAndDecode    - the datagrams of a frame through the reassembly,
//                            then the decoder, all in memory
//   StreamOverLoopback     - a sensor socket sends the frame, the receiver's
//                            thread reassembles and announces it, the reader
//                            takes it as a bitmap
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "frame_assembler.h"
#include "jpeg_decoder.h"
#include "live_image.h"
#include "loopback_address.h"
#include "platform/udp_socket.h"
#include "recording_target.h"
#include "sensor_bitmap_alloc.h"
#include "sim/live_image_jpeg.h"
#include "sim/live_image_scene.h"

namespace {

using Datagram = std::vector<std::byte>;

constexpr int kFragments = 4;

std::vector<std::uint8_t> frameJpeg() {
    return vt::sim::encodeGreyJpeg(vt::sim::renderLiveFrame(0x1234), 320, 240, 85);
}

std::vector<Datagram> frameDatagrams(const std::vector<std::uint8_t>& jpeg, std::uint16_t number) {
    std::vector<Datagram> out;
    Datagram header(7);
    std::memcpy(header.data(), "Init", 4);
    header[4] = std::byte{kFragments};
    header[5] = static_cast<std::byte>(number >> 8);
    header[6] = static_cast<std::byte>(number & 0xFF);
    out.push_back(header);
    const std::size_t piece = (jpeg.size() + kFragments - 1) / kFragments;
    for (int i = 0; i < kFragments; ++i) {
        const std::size_t begin = std::min(jpeg.size(), piece * i);
        const std::size_t end = std::min(jpeg.size(), begin + piece);
        Datagram d(1 + end - begin);
        d[0] = static_cast<std::byte>(i);
        std::memcpy(d.data() + 1, jpeg.data() + begin, end - begin);
        out.push_back(std::move(d));
    }
    return out;
}

void countFrames(benchmark::State& state) {
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void DecodeAlone(benchmark::State& state) {
    const auto jpeg = frameJpeg();
    dravik::JpegDecoder decoder;
    std::vector<std::uint8_t> pixels(320 * 240);
    for (auto _ : state) {
        if (!decoder.decodeGrey(jpeg, 320, 240, pixels.data())) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(pixels.data());
    }
    countFrames(state);
}
BENCHMARK(DecodeAlone);

void ReassembleAndDecode(benchmark::State& state) {
    const auto datagrams = frameDatagrams(frameJpeg(), 1);
    dravik::FrameAssembler assembler;
    dravik::JpegDecoder decoder;
    std::vector<std::byte> frame(dravik::kMaxLiveFrameBytes);
    std::vector<std::uint8_t> pixels(320 * 240);
    for (auto _ : state) {
        for (const Datagram& d : datagrams) assembler.take(d, frame);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(frame.data());
        if (!decoder.decodeGrey({bytes, assembler.frameLength()}, 320, 240, pixels.data()))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(pixels.data());
    }
    countFrames(state);
}
BENCHMARK(ReassembleAndDecode);

void StreamOverLoopback(benchmark::State& state) {
    const std::string address = vt::test::uniqueLoopbackAddress();
    const uint32_t host = *vt::parseIpv4(address.c_str());
    vt::UdpSocket sensor;
    if (sensor.open() != 0 || sensor.bind({host, 0}) != 0) {
        state.SkipWithError("no sensor socket");
        return;
    }
    vt::test::RecordingTarget target;
    dravik::CLiveImage receiver(target.window(), address.c_str(), sensor.localEndpoint().port);
    receiver.Start();
    // The handshake.
    Datagram buffer(5001);
    vt::Ipv4Endpoint peer;
    while (sensor.waitReadable(std::chrono::seconds(5)) > 0) {
        const long n = sensor.receive(buffer, &peer);
        if (n == 4 && std::memcmp(buffer.data(), "Init", 4) == 0) break;
    }
    sensor.sendTo(std::span(buffer.data(), 4), peer);

    // Every frame is announced, whatever its number.
    const auto datagrams = frameDatagrams(frameJpeg(), 1);
    std::size_t announced = 0;
    for (auto _ : state) {
        for (const Datagram& d : datagrams) sensor.sendTo(d, peer);
        if (!target.waitForCount(++announced, std::chrono::seconds(5))) {
            state.SkipWithError("frame not announced");
            break;
        }
        SensorBitmap* bitmap = nullptr;
        if (receiver.GetLastImage(&bitmap) != 0) state.SkipWithError("frame not decoded");
        dravik::freeSensorBitmap(bitmap);
    }
    countFrames(state);
    receiver.Stop();
}
BENCHMARK(StreamOverLoopback)->UseRealTime();

}  // namespace

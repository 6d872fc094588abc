// Fuzz target over the simulator's reading of requests: the HTTP framing
// (RequestReader) and the method call in each body (parseMethodCall). The
// first byte sets how many bytes arrive at a time; the rest is what a
// client sends on one connection. Small limits make the bounds reachable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sim/method_call.h"
#include "sim/request_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::size_t piece = 1 + data[0] % 64;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    vt::sim::RequestLimits limits;
    limits.maxHeaderBytes = 512;
    limits.maxBodyBytes = 4096;
    vt::sim::RequestReader reader(limits);
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        reader.append(bytes.substr(at, piece));
        for (;;) {
            const auto status = reader.status();
            if (status == vt::sim::RequestReader::Status::BadHeader ||
                status == vt::sim::RequestReader::Status::TooLarge)
                return 0;
            if (reader.headerComplete()) (void)reader.methodName();
            if (status != vt::sim::RequestReader::Status::Ready) break;
            const std::size_t bodyOffset = reader.bodyOffset();
            const std::size_t length = reader.contentLength();
            const std::string request = reader.take();
            if (request.size() != bodyOffset + length || length > limits.maxBodyBytes) std::abort();
            std::string method;
            XmlRpc::XmlRpcValue params;
            if (vt::sim::parseMethodCall(std::string_view(request).substr(bodyOffset), method, params) &&
                params.getType() != XmlRpc::XmlRpcValue::TypeArray)
                std::abort();
        }
        if (reader.buffered() > limits.maxHeaderBytes + limits.maxBodyBytes + piece) std::abort();
    }
    return 0;
}

// Fuzzes the update library's reading of the sensor's "xmlSWU" reply: no
// reply, however odd, may throw.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "sensor_update.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    XmlRpc::XmlRpcValue reply;
    bool fault = false;
    const bool executed = XmlRpc::XmlRpcClient::parseResponseText(
        std::string_view(reinterpret_cast<const char*>(data), size), reply, fault);
    int result = 0;
    if (brimsol::readUpdateResult(executed, fault, reply, result) && (!executed || fault)) __builtin_trap();
    return 0;
}

// Fuzzes the lock library's reading of a sensor reply: whatever arrives, a
// code the library documents, and an output written only on success.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lock_reply.h"
#include "xmlrpc/XmlRpcClient.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    XmlRpc::XmlRpcValue reply;
    bool fault = false;
    const bool executed = XmlRpc::XmlRpcClient::parseResponseText(
        std::string_view(reinterpret_cast<const char*>(data), size), reply, fault);
    int value = -1;
    const LockStatus withValue = keltrov::readLockReply(executed, fault, reply, &value);
    const LockStatus withoutValue = keltrov::readLockReply(executed, fault, reply, nullptr);
    for (LockStatus code : {withValue, withoutValue})
        if (code != KELTROV_OK && code != KELTROV_CALL_FAILED && code != KELTROV_BAD_REPLY &&
            code > KELTROV_SENSOR_STATUS_OFFSET - 1)
            __builtin_trap();
    if (withValue != KELTROV_OK && value != -1) __builtin_trap();
    return 0;
}

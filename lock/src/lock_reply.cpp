#include "lock_reply.h"

#include <cstdint>
#include <limits>

namespace keltrov {

namespace {

using XmlRpc::XmlRpcValue;

bool isIntAt(const XmlRpcValue& array, int index) {
    return index < array.size() && array[index].getType() == XmlRpcValue::TypeInt;
}

LockStatus sensorStatus(int n) {
    // A hostile status near INT32_MIN must not overflow.
    const int64_t code = int64_t{n} + KELTROV_SENSOR_STATUS_OFFSET;
    return code < std::numeric_limits<LockStatus>::min() ? std::numeric_limits<LockStatus>::min()
                                                         : static_cast<LockStatus>(code);
}

}  // namespace

LockStatus readLockReply(bool executed, bool fault, const XmlRpcValue& reply, int* value) {
    if (!executed || fault || reply.getType() != XmlRpcValue::TypeArray || !isIntAt(reply, 0))
        return KELTROV_CALL_FAILED;
    const int status = reply[0].asInt();
    if (status < 0) return sensorStatus(status);
    if (value == nullptr) return KELTROV_OK;
    if (reply.size() != 2 || !isIntAt(reply, 1)) return KELTROV_BAD_REPLY;
    *value = reply[1].asInt();
    return KELTROV_OK;
}

}  // namespace keltrov

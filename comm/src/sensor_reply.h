// Reading the sensor's replies: the preset every call starts from, the
// status element, the elements after it, and texts into callers' buffers.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>

#include "xmlrpc/XmlRpcValue.h"

namespace dravik {

// A call that cannot be sent at all leaves this status.
inline XmlRpc::XmlRpcValue presetReply() {
    XmlRpc::XmlRpcValue reply;
    reply[0] = -1;
    return reply;
}

inline bool hasFirstElement(const XmlRpc::XmlRpcValue& reply) {
    return reply.getType() == XmlRpc::XmlRpcValue::TypeArray && reply.size() > 0;
}

// Element index of an array reply when it is there with that type.
inline const XmlRpc::XmlRpcValue* elementOf(const XmlRpc::XmlRpcValue& reply, int index,
                                            XmlRpc::XmlRpcValue::Type type) {
    if (reply.getType() != XmlRpc::XmlRpcValue::TypeArray || index < 0 || index >= reply.size())
        return nullptr;
    const XmlRpc::XmlRpcValue& element = reply.asArray()[static_cast<std::size_t>(index)];
    return element.getType() == type ? &element : nullptr;
}

inline std::optional<int> intElement(const XmlRpc::XmlRpcValue& reply, int index) {
    const XmlRpc::XmlRpcValue* element = elementOf(reply, index, XmlRpc::XmlRpcValue::TypeInt);
    return element != nullptr ? std::optional<int>(element->asInt()) : std::nullopt;
}

inline const std::string* textElement(const XmlRpc::XmlRpcValue& reply, int index) {
    const XmlRpc::XmlRpcValue* element = elementOf(reply, index, XmlRpc::XmlRpcValue::TypeString);
    return element != nullptr ? &element->asString() : nullptr;
}

// Copies a sensor text into a caller's buffer of capacity bytes, cut to
// capacity - 1 bytes and a terminating zero. A null buffer gets nothing.
inline void copyTextCut(char* out, std::size_t capacity, const std::string& text) {
    if (out == nullptr || capacity == 0) return;
    const std::size_t n = std::min(text.size(), capacity - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

}  // namespace dravik

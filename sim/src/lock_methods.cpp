#include "sim/lock_methods.h"

#include <cstdint>
#include <string_view>

namespace vt::sim {

namespace {

using XmlRpc::XmlRpcValue;

XmlRpcValue reply(std::initializer_list<int> items) {
    XmlRpcValue out;
    out.setSize(0);
    int i = 0;
    for (int item : items) out[i++] = item;
    return out;
}

int sextet(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '#') return 63;
    return -1;
}

// The sensor's own reading of the program's base64 variant: six bits per
// alphabet character, a byte whenever eight have gathered, "_" ends it.
std::string decodeVariant(std::string_view text) {
    std::string bytes;
    uint32_t bits = 0;
    int count = 0;
    for (char c : text) {
        if (c == '_') break;
        const int v = sextet(c);
        if (v < 0) continue;
        bits = (bits << 6) | static_cast<uint32_t>(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return bytes;
}

bool isParamsOf(const XmlRpcValue& params, std::initializer_list<XmlRpcValue::Type> types) {
    if (params.getType() != XmlRpcValue::TypeArray || params.size() != static_cast<int>(types.size()))
        return false;
    int i = 0;
    for (auto type : types)
        if (params[i++].getType() != type) return false;
    return true;
}

}  // namespace

std::string LockMethods::passwordOf(const std::string& received) {
    const std::string bytes = decodeVariant(received);
    if (bytes.size() >= 2 && bytes.front() == '\x02' && bytes.back() == '\x03')
        return bytes.substr(1, bytes.size() - 2);
    return received;
}

void LockMethods::install(XmlRpcServer& server) {
    server.setMethod("xmlrpc_GetCodeBlockingStatus", [this](const XmlRpcValue& p) { return status(p); });
    server.setMethod("xmlrpc_ActivateCodeBlocking", [this](const XmlRpcValue& p) { return activate(p); });
    server.setMethod("xmlrpc_DeactivateCodeBlocking", [this](const XmlRpcValue& p) { return deactivate(p); });
    server.setMethod("xmlrpc_ValidateCodeBlockingPassword",
                     [this](const XmlRpcValue& p) { return validate(p); });
}

void LockMethods::setLock(const std::string& password, int items) {
    std::lock_guard lock(mutex_);
    password_ = items > 0 ? password : std::string();
    items_ = items > 0 ? items : 0;
}

int LockMethods::lockedItems() const {
    std::lock_guard lock(mutex_);
    return items_;
}

std::string LockMethods::password() const {
    std::lock_guard lock(mutex_);
    return password_;
}

XmlRpcValue LockMethods::status(const XmlRpcValue& params) {
    if (!isParamsOf(params, {})) return reply({kBadArguments});
    return reply({kOk, lockedItems()});
}

XmlRpcValue LockMethods::activate(const XmlRpcValue& params) {
    if (!isParamsOf(params, {XmlRpcValue::TypeString, XmlRpcValue::TypeInt}) || params[1].asInt() <= 0)
        return reply({kBadArguments});
    setLock(passwordOf(params[0].asString()), params[1].asInt());
    return reply({kOk});
}

XmlRpcValue LockMethods::deactivate(const XmlRpcValue& params) {
    if (!isParamsOf(params, {})) return reply({kBadArguments});
    setLock({}, 0);
    return reply({kOk});
}

XmlRpcValue LockMethods::validate(const XmlRpcValue& params) {
    if (!isParamsOf(params, {XmlRpcValue::TypeString})) return reply({kBadArguments});
    std::lock_guard lock(mutex_);
    const bool right = items_ == 0 || passwordOf(params[0].asString()) == password_;
    return reply({kOk, right ? 1 : 0});
}

}  // namespace vt::sim

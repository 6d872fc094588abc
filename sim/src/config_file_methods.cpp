#include "sim/config_file_methods.h"

#include "sim/status_reply.h"

namespace vt::sim {

namespace {

using XmlRpc::XmlRpcValue;

bool slotArguments(const XmlRpcValue& params, int count) {
    return params.getType() == XmlRpcValue::TypeArray && params.size() == count &&
           params[0].getType() == XmlRpcValue::TypeInt && params[1].getType() == XmlRpcValue::TypeString &&
           params[2].getType() == XmlRpcValue::TypeInt;
}

}  // namespace

void ConfigFileStore::set(int slot, Bytes bytes) {
    std::lock_guard lock(mutex_);
    files_[slot] = std::move(bytes);
}

std::optional<ConfigFileStore::Bytes> ConfigFileStore::get(int slot) const {
    std::lock_guard lock(mutex_);
    const auto found = files_.find(slot);
    if (found == files_.end()) return std::nullopt;
    return found->second;
}

void addConfigFileMethods(XmlRpcServer& server, ConfigFileStore& store) {
    server.setMethod("xmlDownloadConfig", [&store](const XmlRpcValue& params) {
        if (!slotArguments(params, 3)) return statusReply(kConfigFileBadArguments);
        std::optional<ConfigFileStore::Bytes> bytes = store.get(params[0].asInt());
        if (!bytes) return statusReply(kConfigFileNoConfiguration);
        XmlRpcValue reply = statusReply(0);
        reply[1] = std::move(*bytes);
        return reply;
    });
    server.setMethod("xmlUploadConfig", [&store](const XmlRpcValue& params) {
        if (!slotArguments(params, 4) || params[3].getType() != XmlRpcValue::TypeBase64)
            return statusReply(kConfigFileBadArguments);
        store.set(params[0].asInt(), params[3].asBinary());
        return statusReply(0);
    });
}

}  // namespace vt::sim

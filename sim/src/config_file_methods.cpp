#include "sim/config_file_methods.h"

#include <string_view>

#include "sim/sensor_model.h"
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

namespace {
constexpr std::string_view kFileMagic = "VTCFG1\n";
}  // namespace

ConfigFileStore::Bytes configFileOf(const ConfigSlot& slot) {
    XmlRpcValue record;
    record[0] = slot.name;
    record[1] = slot.group;
    record[2] = slot.data.parameters.configData;
    for (int f = 0; f < kCodeFamilies; ++f) record[3 + f] = slot.data.parameters.codeData[static_cast<std::size_t>(f)];
    for (int q = 0; q < kQualityForms; ++q)
        record[3 + kCodeFamilies + q] = slot.data.parameters.quality[static_cast<std::size_t>(q)];
    const std::string text = std::string(kFileMagic) + record.toXml();
    return ConfigFileStore::Bytes(text.begin(), text.end());
}

bool slotOfConfigFile(const ConfigFileStore::Bytes& bytes, ConfigSlot& slot) {
    const std::string text(bytes.begin(), bytes.end());
    if (text.compare(0, kFileMagic.size(), kFileMagic) != 0) return false;
    int offset = static_cast<int>(kFileMagic.size());
    XmlRpcValue record;
    if (!record.fromXml(text, &offset) || record.getType() != XmlRpcValue::TypeArray ||
        record.size() != 3 + kCodeFamilies + kQualityForms)
        return false;
    slot.data.parameters.configData = record[2];
    for (int f = 0; f < kCodeFamilies; ++f) slot.data.parameters.codeData[static_cast<std::size_t>(f)] = record[3 + f];
    for (int q = 0; q < kQualityForms; ++q)
        slot.data.parameters.quality[static_cast<std::size_t>(q)] = record[3 + kCodeFamilies + q];
    return true;
}

void addConfigFileMethods(XmlRpcServer& server, SensorModel& model) {
    server.setMethod("xmlDownloadConfig", [&model](const XmlRpcValue& params) {
        if (!slotArguments(params, 3)) return statusReply(kConfigFileBadArguments);
        const SlotRef ref{params[0].asInt(), params[1].asString(), params[2].asInt()};
        return model.access([&](SensorData& d) {
            if (const int status = model.check(ref); status != kSimOk) return statusReply(status);
            XmlRpcValue reply = statusReply(0);
            reply[1] = configFileOf(d.slots[static_cast<std::size_t>(ref.index)]);
            return reply;
        });
    });
    server.setMethod("xmlUploadConfig", [&model](const XmlRpcValue& params) {
        if (!slotArguments(params, 4) || params[3].getType() != XmlRpcValue::TypeBase64)
            return statusReply(kConfigFileBadArguments);
        const int index = params[0].asInt();
        const std::string name = params[1].asString();
        const int group = params[2].asInt();
        ConfigSlot loaded;
        if (!slotOfConfigFile(params[3].asBinary(), loaded) || name.empty() || group < -1 || group >= kGroupCount)
            return statusReply(kSimBadArguments);
        if (index < 0 || index >= kConfigSlotCount) return statusReply(kSimBadIndex);
        return model.access([&](SensorData& d) {
            ConfigSlot& slot = d.slots[static_cast<std::size_t>(index)];
            if (slot.used) return statusReply(kSimSlotInUse);
            loaded.used = true;
            loaded.name = name;
            loaded.group = group;
            loaded.masterState = 0;
            slot = std::move(loaded);
            return statusReply(0);
        });
    });
}

}  // namespace vt::sim

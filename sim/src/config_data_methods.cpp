// The configuration list, configuration data, global settings, code data
// and group names.
#include <optional>
#include <string>

#include "sim/parameter_methods.h"

#include "sim/plausible_records.h"
#include "sim/reply_script.h"
#include "sim/parameter_shapes.h"
#include "sim/status_reply.h"

namespace vt::sim {

using XmlRpc::XmlRpcValue;

XmlRpcValue recordReply(const XmlRpcValue& record) {
    XmlRpcValue reply = statusReply(kSimOk);
    for (int i = 0; i < record.size(); ++i) reply[i + 1] = record[i];
    return reply;
}

void takeElements(XmlRpcValue& record, const XmlRpcValue& params, int n) {
    for (int i = 0; i < n && i < params.size(); ++i) record[i] = params[i];
}

SlotParameters* editedParameters(SensorData& d) {
    if (!d.editing) return nullptr;
    return &d.slots[static_cast<std::size_t>(d.editing->slot)].data.parameters;
}

namespace {

constexpr int kEditedConfiguration = 0;
constexpr int kActiveConfiguration = 2;

std::optional<int> intParam(const XmlRpcValue& params, int i) {
    if (params.getType() != XmlRpcValue::TypeArray || i >= params.size()) return std::nullopt;
    const XmlRpcValue& v = params[i];
    if (v.getType() != XmlRpcValue::TypeInt) return std::nullopt;
    return v.asInt();
}

std::optional<SlotRef> slotParam(const XmlRpcValue& params) {
    const auto index = intParam(params, 0);
    const auto group = intParam(params, 2);
    if (!index || !group || params.size() != 3 || params[1].getType() != XmlRpcValue::TypeString)
        return std::nullopt;
    return SlotRef{*index, params[1].asString(), *group};
}

// Slot k of the configuration list: its label, name, group, master state and active flag.
XmlRpcValue configList(const SensorData& d) {
    XmlRpcValue reply = statusReply(kSimOk);
    for (int k = 0; k < kConfigSlotCount; ++k) {
        const ConfigSlot& slot = d.slots[static_cast<std::size_t>(k)];
        const int base = 6 * k;
        reply[base + 1] = (k < 9 ? "Config0" : "Config") + std::to_string(k + 1);
        reply[base + 2] = slot.used ? slot.name : std::string();
        reply[base + 3] = slot.used ? slot.group : -1;
        reply[base + 4] = slot.used ? slot.masterState : 0;
        reply[base + 5] = slot.used && k == d.activeConfig ? 1 : 0;
        reply[base + 6] = "_EOS_STRING_CONTENT_54978654";
    }
    return reply;
}

struct FamilyMethods {
    CodeFamily family;
    const char* get;
    const char* set;
};

constexpr FamilyMethods kFamilyMethods[] = {
    {CodeFamily::Ecc200, "xmlGetECC200Data", "xmlSetECC200Data"},
    {CodeFamily::Pdf417, "xmlGetPDF417Data", "xmlSetPDF417Data"},
    {CodeFamily::QrCode, "xmlGetQRCodeData", "xmlSetQRCodeData"},
    {CodeFamily::Aztec, "xmlGetAztecCodeData", "xmlSetAztecCodeData"},
    {CodeFamily::BarCode, "xmlGetBarcodeData", "xmlSetBarcodeData"},
};

// The library appends one more end marker to every code-data set.
constexpr int kCodeDataTrailingEnds = 1;

// A record of the whole sensor: its get, and a set of exactly its shape.
void addWholeRecordMethods(XmlRpcServer& server, ParameterStore& store, const char* get, const char* set,
                           std::string_view shape, XmlRpcValue SensorRecords::*record) {
    server.setMethod(get, [&store, record](const XmlRpcValue&) {
        return store.with([record](SensorRecords& r) { return recordReply(r.*record); });
    });
    server.setMethod(set, [&store, shape, record](const XmlRpcValue& params) {
        if (!matchesShape(params, shape, 0)) return statusReply(kSimBadArguments);
        return store.with([&](SensorRecords& r) {
            r.*record = params;
            return statusReply(kSimOk);
        });
    });
}

void addConfigDataAccess(XmlRpcServer& server, SensorModel& model) {
    // [id]: 0 the configuration being edited, 2 the active one. Scripted, so
    // tests can make a read fail.
    server.setMethod("xmlGetConfigData", scripted(model.script(), "xmlGetConfigData", [&model](const XmlRpcValue& params) {
        const auto id = intParam(params, 0);
        return model.access([&](SensorData& d) {
            if (id == kEditedConfiguration) {
                const SlotParameters* edited = editedParameters(d);
                return edited ? recordReply(edited->configData) : statusReply(kSimNotEditing);
            }
            if (id != kActiveConfiguration) return statusReply(kSimBadArguments);
            if (d.activeConfig < 0) return statusReply(kSimNoConfiguration);
            return recordReply(d.slots[static_cast<std::size_t>(d.activeConfig)].data.parameters.configData);
        });
    }));
    server.setMethod("xmlGetInfoConfig", [&model](const XmlRpcValue& params) {
        const auto ref = slotParam(params);
        if (!ref) return statusReply(kSimBadArguments);
        return model.access([&](SensorData& d) {
            if (int status = model.check(*ref); status != kSimOk) return statusReply(status);
            return recordReply(d.slots[static_cast<std::size_t>(ref->index)].data.parameters.configData);
        });
    });
    // The plain form changes the leading part and keeps the extended options.
    // Scripted, so tests can make a write fail.
    server.setMethod("xmlSetConfigData", scripted(model.script(), "xmlSetConfigData", [&model](const XmlRpcValue& params) {
        return model.access([&](SensorData& d) {
            SlotParameters* edited = editedParameters(d);
            if (!edited) return statusReply(kSimNotEditing);
            if (matchesShape(params, shape::kConfigExtendedData, 0))
                takeElements(edited->configData, params, params.size());
            else if (matchesShape(params, shape::kConfigData, 0))
                takeElements(edited->configData, params, params.size() - 1);
            else
                return statusReply(kSimBadArguments);
            return statusReply(kSimOk);
        });
    }));
}

}  // namespace

void usePlausibleRecords(SensorModel& model) {
    model.access([](SensorData& d) {
        d.plausibleRecords = true;
        for (int k = 0; k < kConfigSlotCount; ++k)
            d.slots[static_cast<std::size_t>(k)].data.parameters = plausibleSlotParameters(k);
    });
}

void addConfigDataMethods(XmlRpcServer& server, SensorModel& model, ParameterStore& store) {
    model.access([](SensorData& d) {
        for (int k = 0; k < kConfigSlotCount; ++k)
            d.slots[static_cast<std::size_t>(k)].data.parameters = SlotParameters(k);
    });
    server.setMethod("xmlGetConfigList", [&model](const XmlRpcValue&) {
        return model.access([](SensorData& d) { return configList(d); });
    });
    addConfigDataAccess(server, model);
    addWholeRecordMethods(server, store, "xmlGetSensorGlobals", "xmlSetSensorGlobals", shape::kSensorGlobals,
                          &SensorRecords::sensorGlobals);
    addWholeRecordMethods(server, store, "xmlGetGroupList", "xmlSetGroupList", shape::kGroupList,
                          &SensorRecords::groupList);

    for (const FamilyMethods& m : kFamilyMethods) {
        const CodeFamily family = m.family;
        server.setMethod(m.get, [&model, family](const XmlRpcValue&) {
            return model.access([&](SensorData& d) {
                SlotParameters* edited = editedParameters(d);
                return edited ? recordReply(edited->codeDataOf(family)) : statusReply(kSimNotEditing);
            });
        });
        server.setMethod(m.set, scripted(model.script(), m.set, [&model, family](const XmlRpcValue& params) {
            const std::string_view shape = shapeOf(family);
            return model.access([&](SensorData& d) {
                SlotParameters* edited = editedParameters(d);
                if (!edited) return statusReply(kSimNotEditing);
                if (!matchesShape(params, shape, kCodeDataTrailingEnds)) return statusReply(kSimBadArguments);
                takeElements(edited->codeDataOf(family), params, static_cast<int>(shape.size()));
                return statusReply(kSimOk);
            });
        }));
    }
}

}  // namespace vt::sim

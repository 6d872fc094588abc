#include "sim/sensor_command_methods.h"

#include <regex.h>
#include <ctime>
#include <string>
#include <vector>

#include "expression_size.h"
#include "sim/params_shape.h"
#include "sim/plausible_records.h"
#include "sim/status_reply.h"

namespace vt::sim {

namespace {

using XmlRpc::XmlRpcValue;

SlotRef slotAt(const XmlRpcValue& params, int first) {
    return SlotRef{params[first].asInt(), params[first + 1].asString(), params[first + 2].asInt()};
}

std::string localTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return std::string(text, n);
}

// "$n" in format is group n of the match, "$&" the whole match.
std::string formatMatch(const std::string& text, const regmatch_t* groups, std::size_t count,
                        const std::string& format) {
    auto group = [&](std::size_t n) {
        if (n >= count || groups[n].rm_so < 0) return std::string();
        return text.substr(static_cast<std::size_t>(groups[n].rm_so),
                           static_cast<std::size_t>(groups[n].rm_eo - groups[n].rm_so));
    };
    if (format.empty()) return group(0);
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char next = i + 1 < format.size() ? format[i + 1] : '\0';
        if (format[i] == '$' && next >= '0' && next <= '9') {
            out += group(static_cast<std::size_t>(next - '0'));
            ++i;
        } else if (format[i] == '$' && next == '&') {
            out += group(0);
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

// [text, expression, format], the order the program sends: [0, 1 and the
// formatted first match, or 0 and ""]. POSIX extended expressions.
XmlRpcValue checkRegularExpression(const XmlRpcValue& params) {
    const std::string& pattern = params[1].asString();
    // A few bytes of nested repetitions would take gigabytes to compile.
    if (expandedAtoms(pattern) > kMaxExpandedAtoms) return statusReply(kSimBadExpression);
    regex_t expression;
    if (regcomp(&expression, pattern.c_str(), REG_EXTENDED) != 0) return statusReply(kSimBadExpression);
    const std::string& text = params[0].asString();
    constexpr std::size_t kGroups = 10;
    regmatch_t groups[kGroups];
    const bool found = regexec(&expression, text.c_str(), kGroups, groups, 0) == 0;
    regfree(&expression);
    XmlRpcValue reply = statusReply(kSimOk);
    reply[1] = found ? 1 : 0;
    reply[2] = found ? formatMatch(text, groups, kGroups, params[2].asString()) : std::string();
    return reply;
}

// What a transmission sends: the output strings of the edited, else the
// active configuration.
Transmission transmissionOf(const SensorData& d, const char* method) {
    Transmission t{method, {}, {}, {}, {}};
    const int slot = d.editing ? d.editing->slot : d.activeConfig;
    if (slot < 0 || slot >= kConfigSlotCount) return t;
    const XmlRpcValue& config = d.slots[static_cast<std::size_t>(slot)].data.parameters.configData;
    const auto text = [&](int item) {
        if (config.getType() != XmlRpcValue::TypeArray || item >= config.size()) return std::string();
        const XmlRpcValue& v = config[item];
        return v.getType() == XmlRpcValue::TypeString ? v.asString() : std::string();
    };
    t.start = text(24);
    t.stop = text(25);
    t.fail = text(26);
    t.match = text(27);
    return t;
}

class Registrar {
public:
    Registrar(XmlRpcServer& server, SensorModel& model) : server_(server), model_(model) {}

    void add(const char* method, const char* shape, std::function<XmlRpcValue(const XmlRpcValue&)> body) {
        server_.setMethod(method, scripted(model_.script(), method,
                                           [shape, body = std::move(body)](const XmlRpcValue& params) {
                                               if (!shapedParams(params, shape))
                                                   return statusReply(kSimBadArguments);
                                               return body(params);
                                           }));
    }
    // A method that answers with the status alone.
    void addStatus(const char* method, const char* shape, std::function<int(const XmlRpcValue&)> body) {
        add(method, shape,
            [body = std::move(body)](const XmlRpcValue& params) { return statusReply(body(params)); });
    }

private:
    XmlRpcServer& server_;
    SensorModel& model_;
};

// The three process-interface telegrams are kept for tests to read.
void addTransmissions(Registrar& r, SensorModel& model) {
    SensorModel* m = &model;
    for (const char* method : {"xmlTransmitTestData", "xmlTransmitFailData", "xmlTransmitMatchString"})
        r.addStatus(method, "", [m, method](const XmlRpcValue&) {
            m->access([&](SensorData& d) { d.transmissions.push_back(transmissionOf(d, method)); });
            return kSimOk;
        });
}

}  // namespace

void addSensorCommandMethods(XmlRpcServer& server, SensorModel& model) {
    Registrar r(server, model);
    SensorModel* m = &model;

    r.addStatus("xmlResetStatistics", "", [m](const XmlRpcValue&) {
        m->resetStatistics();
        return kSimOk;
    });
    r.addStatus("xmlForceTrigger", "", [m](const XmlRpcValue&) {
        m->trigger();
        return kSimOk;
    });
    r.add("xmlGetSensorStatistics", "", [m](const XmlRpcValue&) {
        const SensorData d = m->snapshot();
        XmlRpcValue reply = statusReply(kSimOk);
        reply[1] = d.totalReadings;
        reply[2] = d.goodReadings;
        return reply;
    });
    r.add("xmlGetSensorCurrentTime", "", [m](const XmlRpcValue&) {
        const auto text = m->access([](SensorData& d) { return d.currentTime; });
        XmlRpcValue reply = statusReply(kSimOk);
        reply[1] = text ? *text : localTimeText();
        return reply;
    });

    r.addStatus("xmlCreateConfig", "isi",
                [m](const XmlRpcValue& p) { return m->createConfig(slotAt(p, 0)); });
    r.addStatus("xmlEditConfig", "isi", [m](const XmlRpcValue& p) { return m->editConfig(slotAt(p, 0)); });
    r.addStatus("xmlDeleteConfig", "isi",
                [m](const XmlRpcValue& p) { return m->deleteConfig(slotAt(p, 0)); });
    r.addStatus("xmlRenameConfig", "isiis", [m](const XmlRpcValue& p) {
        return m->renameConfig(slotAt(p, 0), p[3].asInt(), p[4].asString());
    });
    r.addStatus("xmlActivateConfig", "isi",
                [m](const XmlRpcValue& p) { return m->activateConfig(slotAt(p, 0)); });
    r.addStatus("xmlActivateGroup", "i",
                [m](const XmlRpcValue& p) { return m->activateGroup(p[0].asInt()); });
    r.addStatus("xmlSetAsGroupMaster", "isii",
                [m](const XmlRpcValue& p) { return m->setAsGroupMaster(slotAt(p, 0), p[3].asInt()); });
    r.addStatus("xmlCopyConfig", "isiisi",
                [m](const XmlRpcValue& p) { return m->copyConfig(slotAt(p, 0), slotAt(p, 3)); });
    r.addStatus("xmlMoveConfig", "isiisi",
                [m](const XmlRpcValue& p) { return m->moveConfig(slotAt(p, 0), slotAt(p, 3)); });
    r.addStatus("xmlCloseAndSave", "", [m](const XmlRpcValue&) { return m->closeAndSave(); });
    r.addStatus("xmlCloseAndDiscard", "", [m](const XmlRpcValue&) { return m->closeAndDiscard(); });

    r.add("xmlGetState", "", [m](const XmlRpcValue&) {
        XmlRpcValue reply = statusReply(kSimOk);
        reply[1] = m->state();
        return reply;
    });
    r.addStatus("xmlSetState", "i", [m](const XmlRpcValue& p) { return m->setState(p[0].asInt()); });

    // The edited configuration's code data go back to the family's standard
    // (0) or enhanced (1) set.
    r.addStatus("xmlRevertCodeDataSettings", "i", [m](const XmlRpcValue& p) {
        const int kind = p[0].asInt();
        return m->access([&](SensorData& d) {
            if (kind != 0 && kind != 1) return kSimBadArguments;
            if (!d.editing) return kSimNotEditing;
            SlotParameters& edited = d.slots[static_cast<std::size_t>(d.editing->slot)].data.parameters;
            const auto family = familyOf(edited.codeType());
            if (!family) return kSimBadArguments;
            edited.codeDataOf(*family) = revertedCodeData(kind, *family);
            d.revertedCodeType = kind;
            return kSimOk;
        });
    });
    r.addStatus("xmlUpdateRecognitionMode", "i", [m](const XmlRpcValue& p) {
        m->access([&](SensorData& d) { d.recognitionMode = p[0].asInt(); });
        return kSimOk;
    });
    r.add("xmlAutoDetectCode", "ii", [m](const XmlRpcValue& p) {
        XmlRpcValue reply = statusReply(kSimOk);
        m->access([&](SensorData& d) {
            d.autoDetectArguments = {p[0].asInt(), p[1].asInt()};
            reply[1] = d.detectedCodeType;
            reply[2] = d.detectedValue;
        });
        return reply;
    });
    r.add("xmlCheckRegularExpression", "sss", checkRegularExpression);

    // Accepted and answered; what they do to images and outputs is not modelled.
    // The exposure the sensor finds goes into the configuration being edited;
    // with none in edit the call is answered and nothing is stored.
    r.addStatus("xmlCalculateExpTime", "", [m](const XmlRpcValue&) {
        return m->access([](SensorData& d) {
            if (!d.editing) return static_cast<int>(kSimOk);
            constexpr int kExposureItem = 5;
            d.slots[static_cast<std::size_t>(d.editing->slot)].data.parameters.configData[kExposureItem] =
                d.calculatedExposure;
            return static_cast<int>(kSimOk);
        });
    });
    for (const char* method : {"xmlDecodeImage", "xmlCaptureImage"})
        r.addStatus(method, "", [](const XmlRpcValue&) { return kSimOk; });
    addTransmissions(r, model);
}

}  // namespace vt::sim

// Quality parameters of the configuration being edited, in the form of its code type.
#include "sim/parameter_methods.h"
#include "sim/parameter_shapes.h"
#include "sim/status_reply.h"

namespace vt::sim {

using XmlRpc::XmlRpcValue;

namespace {

// A quality set ends with two end markers: the list's own last one and one more.
constexpr int kQualityTrailingEnds = 1;

// The edited configuration's quality record and its form; status otherwise.
struct EditedQuality {
    SlotParameters* parameters = nullptr;
    std::optional<QualityForm> form;
    int status() const { return !parameters ? kSimNotEditing : !form ? kSimBadArguments : kSimOk; }
};

EditedQuality editedQuality(SensorData& d) {
    EditedQuality q;
    q.parameters = editedParameters(d);
    if (q.parameters) q.form = qualityFormOf(q.parameters->codeType());
    return q;
}

}  // namespace

void addQualityMethods(XmlRpcServer& server, SensorModel& model) {
    server.setMethod("xmlGetQualityParams", [&model](const XmlRpcValue&) {
        return model.access([](SensorData& d) {
            EditedQuality q = editedQuality(d);
            if (q.status() != kSimOk) return statusReply(q.status());
            return recordReply(q.parameters->qualityOf(*q.form));
        });
    });
    server.setMethod("xmlSetQualityParams", [&model](const XmlRpcValue& params) {
        return model.access([&](SensorData& d) {
            EditedQuality q = editedQuality(d);
            if (q.status() != kSimOk) return statusReply(q.status());
            const std::string_view shape = shapeOf(*q.form);
            if (!matchesShape(params, shape, kQualityTrailingEnds)) return statusReply(kSimBadArguments);
            takeElements(q.parameters->qualityOf(*q.form), params, static_cast<int>(shape.size()));
            return statusReply(kSimOk);
        });
    });
}

}  // namespace vt::sim

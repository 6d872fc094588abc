#include "sim/reading_methods.h"

#include <functional>

#include "sim/params_shape.h"
#include "sim/reply_script.h"
#include "sim/status_reply.h"

namespace vt::sim {

void addReadingMethods(XmlRpcServer& server, SensorModel& sensor, ReadingModel& readings) {
    using XmlRpc::XmlRpcValue;
    ReadingModel* r = &readings;
    const auto add = [&](const char* method, const char* shape, std::function<XmlRpcValue(const XmlRpcValue&)> body) {
        server.setMethod(method, scripted(sensor.script(), method,
                                          [shape, body = std::move(body)](const XmlRpcValue& params) {
                                              if (!shapedParams(params, shape)) return statusReply(kSimBadArguments);
                                              return body(params);
                                          }));
    };
    add("xmlPollResults", "", [r](const XmlRpcValue&) { return r->poll(); });
    add("xmlLockResult", "ii", [r](const XmlRpcValue& p) { return r->lock(p[0].asInt(), p[1].asInt()); });
    add("xmlUnlockResult", "", [r](const XmlRpcValue&) { return r->unlock(); });
    add("xmlGetResult", "i", [r](const XmlRpcValue& p) { return r->result(p[0].asInt()); });
    add("xmlGetCodeResult", "i", [r](const XmlRpcValue& p) { return r->codeResult(p[0].asInt()); });
    add("xmlGetCodeQuality2DResult", "i", [r](const XmlRpcValue& p) { return r->codeQuality(p[0].asInt()); });
    add("xmlGetDecodedImage", "", [r](const XmlRpcValue&) { return r->decodedImage(); });
    add("xmlGetCurrentImage", "", [r](const XmlRpcValue&) { return r->currentImage(); });
    add("xmlDecodeImage", "", [r](const XmlRpcValue&) {
        r->decodeImage();
        return statusReply(kSimOk);
    });
    add("xmlGetLastResultsList", "i", [r](const XmlRpcValue& p) { return r->lastResults(p[0].asInt()); });
}

}  // namespace vt::sim

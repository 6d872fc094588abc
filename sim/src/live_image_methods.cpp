#include "sim/live_image_methods.h"

namespace vt::sim {

void addLiveImageMethods(XmlRpcServer& server, LiveImageSource& source, ReplyScript* script) {
    for (bool on : {true, false}) {
        const std::string method = on ? "xmlStartLiveImage" : "xmlStopLiveImage";
        MethodHandler handler = [&source, on](const XmlRpc::XmlRpcValue&) {
            source.setStreaming(on);
            XmlRpc::XmlRpcValue reply;
            reply[0] = 0;
            return reply;
        };
        server.setMethod(method, script ? scripted(*script, method, std::move(handler)) : std::move(handler));
    }
}

}  // namespace vt::sim

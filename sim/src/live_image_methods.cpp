#include "sim/live_image_methods.h"

namespace vt::sim {

void addLiveImageMethods(XmlRpcServer& server, LiveImageSource& source) {
    for (bool on : {true, false})
        server.setMethod(on ? "xmlStartLiveImage" : "xmlStopLiveImage",
                         [&source, on](const XmlRpc::XmlRpcValue&) {
                             source.setStreaming(on);
                             XmlRpc::XmlRpcValue reply;
                             reply[0] = 0;
                             return reply;
                         });
}

}  // namespace vt::sim

// The sensor's software update: "xmlSWU" takes the whole image as one base64
// parameter and answers [result]; "xmlAfterSWU" (no parameters) follows an
// update that failed on the way and answers [0].
#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <vector>

#include "sim/xmlrpc_server.h"

namespace vt::sim {

class UpdateMethods {
public:
    static constexpr int kBadArguments = 6;  // "Update file not valid"

    // Registers both methods. The object must outlive the server's use of them.
    void install(XmlRpcServer& server);

    // The result "xmlSWU" answers for an image (0 at first).
    void setResult(int code) { result_ = code; }
    // Drops the connection of every "xmlSWU" call when half the request has
    // arrived (no reply). Takes effect on the server given to install().
    void setDropMidCall(bool drop);

    // The latest images received whole by "xmlSWU" (all of them unless
    // limited), oldest first. The interactive simulator keeps none.
    std::vector<XmlRpc::XmlRpcValue::BinaryData> images() const;
    void setImagesKept(std::size_t count);
    void clearImages();

private:
    XmlRpc::XmlRpcValue update(const XmlRpc::XmlRpcValue& params);

    XmlRpcServer* server_ = nullptr;
    std::atomic<int> result_{0};
    mutable std::mutex mutex_;
    std::size_t imagesKept_ = static_cast<std::size_t>(-1);
    std::vector<XmlRpc::XmlRpcValue::BinaryData> images_;
};

}  // namespace vt::sim

#include "sim/update_methods.h"

namespace vt::sim {

using XmlRpc::XmlRpcValue;

void UpdateMethods::install(XmlRpcServer& server) {
    server_ = &server;
    server.setMethod("xmlSWU", [this](const XmlRpcValue& p) { return update(p); });
    server.setMethod("xmlAfterSWU", [](const XmlRpcValue&) {
        XmlRpcValue reply;
        reply[0] = 0;
        return reply;
    });
}

void UpdateMethods::setDropMidCall(bool drop) {
    if (server_ == nullptr) return;
    if (!drop) {
        server_->clearFaults("xmlSWU");
        return;
    }
    MethodFaults faults;
    faults.closeMidRequest = true;
    server_->setFaults("xmlSWU", faults);
}

std::vector<XmlRpcValue::BinaryData> UpdateMethods::images() const {
    std::lock_guard lock(mutex_);
    return images_;
}

void UpdateMethods::setImagesKept(std::size_t count) {
    std::lock_guard lock(mutex_);
    imagesKept_ = count;
    if (images_.size() > count)
        images_.erase(images_.begin(), images_.end() - static_cast<std::ptrdiff_t>(count));
}

void UpdateMethods::clearImages() {
    std::lock_guard lock(mutex_);
    images_.clear();
}

XmlRpcValue UpdateMethods::update(const XmlRpcValue& params) {
    XmlRpcValue reply;
    if (params.size() != 1 || params[0].getType() != XmlRpcValue::TypeBase64) {
        reply[0] = kBadArguments;
        return reply;
    }
    {
        std::lock_guard lock(mutex_);
        if (imagesKept_ > 0) {
            if (images_.size() == imagesKept_) images_.erase(images_.begin());
            images_.push_back(params[0].asBinary());
        }
    }
    reply[0] = result_.load();
    return reply;
}

}  // namespace vt::sim

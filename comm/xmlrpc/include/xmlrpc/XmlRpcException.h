// What wrong-type access and read-only indexing of an XmlRpcValue throw.
#pragma once

#include <string>

namespace XmlRpc {

class XmlRpcException {
public:
    explicit XmlRpcException(std::string message, int code = -1)
        : message_(std::move(message)), code_(code) {}

    const std::string& getMessage() const { return message_; }
    int getCode() const { return code_; }

private:
    std::string message_;
    int code_;
};

}  // namespace XmlRpc

// Fuzzes what the client reads from the network: the reply header, then the
// body as a methodResponse.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "xmlrpc/XmlRpcClient.h"
#include "xmlrpc/XmlRpcReplyHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    XmlRpc::XmlRpcReplyHeader header = XmlRpc::scanReplyHeader(input);
    std::string_view body = input;
    if (header.status == XmlRpc::XmlRpcReplyHeader::Status::Complete) body = input.substr(header.bodyOffset);
    XmlRpc::XmlRpcValue result;
    bool fault = false;
    if (XmlRpc::XmlRpcClient::parseResponseText(body, result, fault)) {
        // What was read must write and read back the same.
        std::string xml = result.toXml();
        XmlRpc::XmlRpcValue again;
        std::size_t pos = 0;
        if (!again.fromXml(std::string_view(xml), pos)) __builtin_trap();
    }
    return 0;
}

#include "xmlrpc/XmlRpcReplyHeader.h"

#include <cctype>
#include <charconv>

namespace XmlRpc {

namespace {

constexpr std::string_view kLengthField = "content-length: ";

std::size_t findNoCase(std::string_view text, std::string_view lowerNeedle) {
    if (text.size() < lowerNeedle.size()) return std::string_view::npos;
    for (std::size_t i = 0; i + lowerNeedle.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < lowerNeedle.size() && std::tolower(static_cast<unsigned char>(text[i + k])) ==
                                             static_cast<unsigned char>(lowerNeedle[k]))
            ++k;
        if (k == lowerNeedle.size()) return i;
    }
    return std::string_view::npos;
}

}  // namespace

XmlRpcReplyHeader scanReplyHeader(std::string_view header) {
    XmlRpcReplyHeader result;
    std::size_t crlf = header.find("\r\n\r\n");
    std::size_t lf = header.find("\n\n");
    std::size_t end;
    if (crlf != std::string_view::npos && (lf == std::string_view::npos || crlf < lf))
        end = crlf + 4;
    else if (lf != std::string_view::npos)
        end = lf + 2;
    else
        return result;
    result.bodyOffset = end;
    std::string_view head = header.substr(0, end);
    std::size_t field = findNoCase(head, kLengthField);
    if (field == std::string_view::npos) {
        result.status = XmlRpcReplyHeader::Status::NoLength;
        return result;
    }
    std::size_t p = field + kLengthField.size();
    while (p < head.size() && (head[p] == ' ' || head[p] == '\t')) ++p;
    long long length = 0;
    auto r = std::from_chars(head.data() + p, head.data() + head.size(), length);
    if (r.ec == std::errc::result_out_of_range) length = kMaxContentLength + 1;
    result.contentLength = length;
    result.status = (length <= 0 || length > kMaxContentLength) ? XmlRpcReplyHeader::Status::InvalidLength
                                                                : XmlRpcReplyHeader::Status::Complete;
    return result;
}

}  // namespace XmlRpc

// Reads the HTTP header of a reply: where it ends and how long the body is.
#pragma once

#include <cstddef>
#include <string_view>

namespace XmlRpc {

// Replies beyond this length are refused rather than buffered.
inline constexpr long long kMaxContentLength = 64LL * 1024 * 1024;

struct XmlRpcReplyHeader {
    enum class Status {
        Incomplete,     // no blank line yet
        NoLength,       // complete, but no Content-length field
        InvalidLength,  // 0 or less, or above kMaxContentLength
        Complete,
    };
    Status status = Status::Incomplete;
    long long contentLength = 0;
    std::size_t bodyOffset = 0;  // first byte after the blank line
};

// "Content-length: " is matched without regard to case.
XmlRpcReplyHeader scanReplyHeader(std::string_view header);

}  // namespace XmlRpc

// Cuts the HTTP requests of one connection out of the bytes as they arrive.
//
// Each byte is looked at a bounded number of times: the header end and the
// method name are searched in the new bytes only, so a request dripped in
// small pieces costs no more than one sent whole.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vt::sim {

struct RequestLimits {
    std::size_t maxHeaderBytes = 16 * 1024;
    std::size_t maxBodyBytes = 64 * 1024 * 1024;
};

class RequestReader {
public:
    enum class Status {
        NeedMore,   // nothing whole yet
        Ready,      // take() gives the next request
        BadHeader,  // a header too long, without "Content-length" or with a bad one
        TooLarge,   // a body over the limit
    };

    explicit RequestReader(RequestLimits limits = {}) : limits_(limits) {}

    void append(std::string_view bytes) { buffer_.append(bytes); }
    Status status();

    // With Ready: the request whole (header and body), removed from the buffer.
    std::string take();
    // Of the request being read (or just taken).
    bool headerComplete() const { return bodyOffset_ != 0; }
    std::size_t bodyOffset() const { return bodyOffset_; }
    std::size_t contentLength() const { return contentLength_; }
    std::size_t bodyReceived() const { return buffer_.size() - bodyOffset_; }
    // The method name, once the body holds it whole.
    std::optional<std::string> methodName();

    std::size_t buffered() const { return buffer_.size(); }
    // Bytes looked at so far while searching: shows that nothing is rescanned.
    std::size_t bytesExamined() const { return examined_; }
    const std::string& buffer() const { return buffer_; }

private:
    void startNext();
    // Searches the body for a tag from where the last search stopped.
    std::size_t findOnce(std::string_view body, std::string_view tag, std::size_t from);

    RequestLimits limits_;
    std::string buffer_;
    std::size_t headerScanned_ = 0;
    std::size_t bodyOffset_ = 0;  // 0 until the header is whole
    std::size_t contentLength_ = 0;
    std::size_t nameScanned_ = 0;
    std::size_t nameStart_ = 0;  // first byte of the name, 0 until its tag is found
    std::size_t examined_ = 0;
    bool bad_ = false;
    Status failure_ = Status::NeedMore;
};

}  // namespace vt::sim

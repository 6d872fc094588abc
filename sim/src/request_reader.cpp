#include "sim/request_reader.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace vt::sim {

namespace {

constexpr std::string_view kLengthField = "content-length:";
constexpr std::string_view kNameTag = "<methodName>";
constexpr std::string_view kNameEndTag = "</methodName>";

bool startsNoCase(std::string_view text, std::string_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerPrefix[i]) return false;
    }
    return true;
}

// The value of the first "Content-length:" line; -1 when there is none or
// it is not a number.
long long contentLengthOf(std::string_view header) {
    std::size_t line = header.find('\n');
    while (line != std::string_view::npos && line + 1 < header.size()) {
        std::string_view rest = header.substr(line + 1);
        if (startsNoCase(rest, kLengthField)) {
            std::size_t p = kLengthField.size();
            while (p < rest.size() && (rest[p] == ' ' || rest[p] == '\t')) ++p;
            long long value = -1;
            auto [end, ec] = std::from_chars(rest.data() + p, rest.data() + rest.size(), value);
            if (ec == std::errc::result_out_of_range) return std::numeric_limits<long long>::max();
            if (ec != std::errc() || end == rest.data() + p) return -1;
            return value;
        }
        line = header.find('\n', line + 1);
    }
    return -1;
}

}  // namespace

RequestReader::Status RequestReader::status() {
    if (bad_) return failure_;
    if (bodyOffset_ == 0) {
        // The header ends at the first empty line ("\n\n" or "\n\r\n").
        std::size_t i = headerScanned_;
        std::size_t end = 0;
        for (; i < buffer_.size(); ++i) {
            if (buffer_[i] != '\n') continue;
            if (i + 1 >= buffer_.size()) break;
            if (buffer_[i + 1] == '\n') {
                end = i + 2;
                break;
            }
            if (buffer_[i + 1] != '\r') continue;
            if (i + 2 >= buffer_.size()) break;
            if (buffer_[i + 2] == '\n') {
                end = i + 3;
                break;
            }
        }
        examined_ += i - headerScanned_;
        headerScanned_ = i;
        const std::size_t headerBytes = end != 0 ? end : buffer_.size();
        if (headerBytes > limits_.maxHeaderBytes) {
            bad_ = true;
            failure_ = Status::BadHeader;
            return failure_;
        }
        if (end == 0) return Status::NeedMore;
        const long long length = contentLengthOf(std::string_view(buffer_).substr(0, end));
        if (length <= 0) {
            bad_ = true;
            failure_ = Status::BadHeader;
            return failure_;
        }
        if (static_cast<unsigned long long>(length) > limits_.maxBodyBytes) {
            bad_ = true;
            failure_ = Status::TooLarge;
            return failure_;
        }
        bodyOffset_ = end;
        contentLength_ = static_cast<std::size_t>(length);
        nameScanned_ = end;
        // Room for the whole request at once: a large body (a software
        // image) would otherwise be copied at every doubling of the buffer.
        buffer_.reserve(end + contentLength_);
    }
    return buffer_.size() - bodyOffset_ >= contentLength_ ? Status::Ready : Status::NeedMore;
}

std::string RequestReader::take() {
    const std::size_t end = bodyOffset_ + contentLength_;
    std::string request;
    if (end == buffer_.size()) {
        request = std::move(buffer_);
        buffer_.clear();
    } else {
        request = buffer_.substr(0, end);
        buffer_.erase(0, end);
    }
    startNext();
    return request;
}

void RequestReader::startNext() {
    headerScanned_ = 0;
    bodyOffset_ = 0;
    contentLength_ = 0;
    nameScanned_ = 0;
    nameStart_ = 0;
}

std::size_t RequestReader::findOnce(std::string_view body, std::string_view tag, std::size_t from) {
    const std::size_t at = body.find(tag, nameScanned_);
    examined_ += (at == std::string_view::npos ? body.size() : at) - nameScanned_;
    // Not there yet: the tag may be cut at the end, so its first bytes are
    // looked at again next time, nothing before them.
    if (at == std::string_view::npos)
        nameScanned_ = std::max(nameScanned_, body.size() - std::min(body.size() - from, tag.size() - 1));
    return at;
}

std::optional<std::string> RequestReader::methodName() {
    if (bodyOffset_ == 0) return std::nullopt;
    const std::string_view body =
        std::string_view(buffer_).substr(0, std::min(buffer_.size(), bodyOffset_ + contentLength_));
    if (nameStart_ == 0) {
        const std::size_t tag = findOnce(body, kNameTag, bodyOffset_);
        if (tag == std::string_view::npos) return std::nullopt;
        nameStart_ = tag + kNameTag.size();
        nameScanned_ = nameStart_;
    }
    const std::size_t close = findOnce(body, kNameEndTag, nameStart_);
    if (close == std::string_view::npos) return std::nullopt;
    nameScanned_ = close;
    return std::string(body.substr(nameStart_, close - nameStart_));
}

}  // namespace vt::sim

#include "xmlrpc/XmlRpcClient.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <new>

#include "xmlrpc/XmlRpcReplyHeader.h"
#include "xmlrpc/XmlRpcSocket.h"
#include "xmlrpc/XmlRpcUtil.h"

namespace XmlRpc {

namespace {

// Buffers above this capacity are given back after use.
constexpr std::size_t kKeepCapacity = 0x80000;
// Base64 parameters from this size on are encoded while they are sent, in
// pieces of whole lines.
constexpr std::size_t kStreamFrom = 64 * 1024;
constexpr std::size_t kStreamPieceBytes = XmlRpcValue::kBase64LineBytes * 4096;

bool streamed(const XmlRpcValue& param) {
    return param.getType() == XmlRpcValue::TypeBase64 && param.asBinary().size() >= kStreamFrom;
}

constexpr std::string_view kRequestBegin =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<methodCall><methodName>";

struct ExecutingGuard {
    bool& flag;
    explicit ExecutingGuard(bool& f) : flag(f) { flag = true; }
    ~ExecutingGuard() { flag = false; }
};

// The streamed values point into the call's parameters: forgotten when it ends.
template <class List>
struct ForgetAtEnd {
    List& list;
    ~ForgetAtEnd() { list.clear(); }
};

// Enough room for a value's XML, so that a request is written without
// growing its buffer: exact for base64, generous for the rest.
std::size_t xmlSizeHint(const XmlRpcValue& value) {
    switch (value.getType()) {
        case XmlRpcValue::TypeBase64: {
            const std::size_t n = value.asBinary().size();
            return (n + 2) / 3 * 4 + n / 54 + 64;
        }
        case XmlRpcValue::TypeString:
            return value.asString().size() + 64;
        case XmlRpcValue::TypeArray: {
            std::size_t n = 64;
            for (const auto& v : value.asArray()) n += xmlSizeHint(v) + 32;
            return n;
        }
        case XmlRpcValue::TypeStruct: {
            std::size_t n = 64;
            for (const auto& [name, v] : value.asStruct()) n += name.size() + xmlSizeHint(v) + 64;
            return n;
        }
        default:
            return 64;
    }
}

void skipSpace(std::string_view text, std::size_t& pos) {
    while (pos < text.size() &&
           (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' || text[pos] == '\n'))
        ++pos;
}

bool nextTagIs(std::string_view tag, std::string_view text, std::size_t& pos) {
    std::size_t p = pos;
    skipSpace(text, p);
    if (!text.substr(p).starts_with(tag)) return false;
    pos = p + tag.size();
    return true;
}

thread_local XmlRpcClient::Clock::time_point threadDeadline = XmlRpcClient::noThreadDeadline();

}  // namespace

void XmlRpcClient::setThreadDeadline(Clock::time_point deadline) {
    threadDeadline = deadline;
}

XmlRpcClient::XmlRpcClient(const char* host, int port, const char* uri)
    : host_(host != nullptr ? host : ""), uri_(uri != nullptr ? uri : "/RPC2"), port_(port) {
    XmlRpcUtil::log(1, "XmlRpcClient new client: host %s, port %d.", host_.c_str(), port_);
    setKeepOpen(true);
}

XmlRpcClient::~XmlRpcClient() {
    disp_.removeSource(this);
    if (getfd() != -1) XmlRpcSource::close();
}

void XmlRpcClient::releaseBuffer(std::string& buffer) {
    buffer.clear();
    if (buffer.capacity() > kKeepCapacity) std::string().swap(buffer);
}

void XmlRpcClient::close() {
    XmlRpcUtil::log(4, "XmlRpcClient::close: fd %d.", getfd());
    connectionState_ = NO_CONNECTION;
    connectPending_ = false;
    disp_.exit();
    disp_.removeSource(this);
    XmlRpcSource::close();
}

bool XmlRpcClient::execute(const char* method, const XmlRpcValue& params, XmlRpcValue& result,
                           double timeoutSeconds) {
    if (method == nullptr) return false;
    XmlRpcUtil::log(1, "XmlRpcClient::execute: method %s (_connectionState %d).", method, connectionState_);
    if (executing_) return false;
    ExecutingGuard executing(executing_);
    ForgetAtEnd<std::vector<StreamedBytes>> forget{streamed_};
    sendAttempts_ = 0;
    isFault_ = false;

    double deadline =
        timeoutSeconds < 0.0 ? unlimitedDeadline_ : std::max(kCallDeadlineFactor * timeoutSeconds, minimumDeadline_);
    if (threadDeadline != noThreadDeadline()) {
        const double left = std::chrono::duration<double>(threadDeadline - Clock::now()).count();
        if (left <= 0.0) {
            XmlRpcUtil::error("Error in XmlRpcClient::execute: no time left for method %s.", method);
            return false;
        }
        deadline = deadline < 0.0 ? left : std::min(deadline, left);
    }

    if (!generateRequest(method, params)) return false;
    if (!setupConnection()) return false;

    result.clear();
    callLimit_ = timeoutSeconds;
    disp_.setDeadline(deadline);
    armTimeLimit();
    int rc = disp_.work();
    if (rc == XmlRpcDispatch::kDeadline)
        XmlRpcUtil::error("Error in XmlRpcClient::execute: method %s did not complete in time.", method);
    if (rc == XmlRpcDispatch::kSilence && getKeepOpen()) {
        XmlRpcUtil::log(4, "XmlRpcClient::execute: re-trying connection");
        ++sendAttempts_;
        close();
        eof_ = false;
        if (!setupConnection()) return false;
        armTimeLimit();
        if (disp_.work() == XmlRpcDispatch::kSilence) return false;
    }

    if (connectionState_ != IDLE || !parseResponse(result)) return false;
    XmlRpcUtil::log(1, "XmlRpcClient::execute: method %s completed.", method);
    releaseBuffer(request_);
    releaseBuffer(encoded_);
    releaseBuffer(response_);
    return true;
}

void XmlRpcClient::armTimeLimit() {
    double limit = callLimit_;
    if (connectPending_ && (limit < 0.0 || limit > kConnectLimitSeconds)) limit = kConnectLimitSeconds;
    disp_.setTimeLimit(limit);
}

unsigned XmlRpcClient::handleEvent(unsigned eventType) {
    if (eventType == XmlRpcDispatch::Exception) {
        const int err = XmlRpcSocket::pendingError(getfd());
        if (connectionState_ == WRITE_REQUEST && bytesWritten_ == 0)
            XmlRpcUtil::error("Error in XmlRpcClient::handleEvent: could not connect to server (%s).",
                              XmlRpcSocket::getErrorMsg(err).c_str());
        else
            XmlRpcUtil::error("Error in XmlRpcClient::handleEvent (state %d): %s.", connectionState_,
                              XmlRpcSocket::getErrorMsg(err).c_str());
        return 0;
    }

    if (connectionState_ == WRITE_REQUEST && connectPending_) {
        // The connect finished: from now on the call's own limit applies.
        if (int err = XmlRpcSocket::pendingError(getfd()); err != 0) {
            XmlRpcUtil::error("Error in XmlRpcClient::handleEvent: could not connect to server (%s).",
                              XmlRpcSocket::getErrorMsg(err).c_str());
            return 0;
        }
        connectPending_ = false;
        armTimeLimit();
    }

    bool ok = false;
    switch (connectionState_) {
        case WRITE_REQUEST:
            ok = writeRequest();
            break;
        case READ_HEADER:
            ok = readHeader();
            break;
        case READ_RESPONSE:
            ok = readResponse();
            break;
        default:
            ok = false;
    }
    if (!ok) return 0;
    return connectionState_ == WRITE_REQUEST ? XmlRpcDispatch::WritableEvent : XmlRpcDispatch::ReadableEvent;
}

bool XmlRpcClient::setupConnection() {
    if ((connectionState_ != NO_CONNECTION && connectionState_ != IDLE) || eof_) close();
    // A kept connection that the server closed meanwhile is replaced now,
    // before the request is half written into it.
    if (connectionState_ == IDLE && (getfd() == -1 || XmlRpcSocket::peerClosed(getfd()))) close();
    eof_ = false;
    if (connectionState_ == NO_CONNECTION && !doConnect()) return false;
    connectionState_ = WRITE_REQUEST;
    restartRequest();
    disp_.addSource(this, XmlRpcDispatch::WritableEvent | XmlRpcDispatch::Exception);
    return true;
}

bool XmlRpcClient::doConnect() {
    int fd = XmlRpcSocket::socket();
    if (fd < 0) {
        XmlRpcUtil::error("Error in XmlRpcClient::doConnect: Could not create socket (%s).",
                          XmlRpcSocket::getErrorMsg().c_str());
        return false;
    }
    XmlRpcUtil::log(3, "XmlRpcClient::doConnect: fd %d.", fd);
    setfd(fd);
    if (!XmlRpcSocket::setNonBlocking(fd)) {
        std::string msg = XmlRpcSocket::getErrorMsg();
        close();
        XmlRpcUtil::error(
            "Error in XmlRpcClient::doConnect: Could not set socket to non-blocking IO mode (%s).",
            msg.c_str());
        return false;
    }
    if (!XmlRpcSocket::connect(fd, host_, port_)) {
        std::string msg = XmlRpcSocket::getErrorMsg();
        close();
        XmlRpcUtil::error("Error in XmlRpcClient::doConnect: Could not connect to server (%s).", msg.c_str());
        return false;
    }
    connectPending_ = true;
    return true;
}

bool XmlRpcClient::generateRequest(const char* method, const XmlRpcValue& params) {
    // One buffer, the body written once: room for the header first, the
    // header put in front of the body once its length is known. An update
    // is megabytes of base64; writing it again costs more than sending it.
    const std::size_t room = generateHeader(std::numeric_limits<std::size_t>::max()).size();
    releaseBuffer(request_);
    streamed_.clear();
    std::size_t textHint = 64;
    if (params.getType() == XmlRpcValue::TypeArray) {
        for (const auto& p : params.asArray()) textHint += streamed(p) ? 64 : xmlSizeHint(p) + 16;
    } else if (params.valid()) {
        textHint += streamed(params) ? 64 : xmlSizeHint(params) + 16;
    }
    request_.reserve(room + kRequestBegin.size() + std::string_view(method).size() + textHint + 64);
    std::size_t streamedSize = 0;
    request_.append(room, ' ');
    request_ += kRequestBegin;
    request_ += method;
    request_ += "</methodName>\r\n";
    if (params.valid()) {
        request_ += "<params>";
        if (params.getType() == XmlRpcValue::TypeArray) {
            for (const auto& p : params.asArray()) {
                request_ += "<param>";
                appendParam(p, streamedSize);
                request_ += "</param>";
            }
        } else {
            request_ += "<param>";
            appendParam(params, streamedSize);
            request_ += "</param>";
        }
        request_ += "</params>";
    }
    request_ += "</methodCall>\r\n";

    const std::size_t bodySize = request_.size() - room + streamedSize;
    const std::string header = generateHeader(bodySize);
    requestStart_ = room - header.size();
    request_.replace(requestStart_, header.size(), header);
    XmlRpcUtil::log(4, "XmlRpcClient::generateRequest: header is %d bytes, content-length is %d.",
                    static_cast<int>(header.size()), static_cast<int>(bodySize));
    return true;
}

void XmlRpcClient::appendParam(const XmlRpcValue& param, std::size_t& streamedSize) {
    if (!streamed(param)) {
        param.appendXml(request_);
        return;
    }
    request_ += "<value><base64>";
    streamed_.push_back({request_.size(), &param.asBinary()});
    streamedSize += XmlRpcValue::base64Size(param.asBinary().size());
    request_ += "</base64></value>";
}

void XmlRpcClient::restartRequest() {
    bytesWritten_ = 0;
    current_ = {};
    currentWritten_ = 0;
    textSent_ = requestStart_;
    nextStreamed_ = 0;
    streamedDone_ = 0;
}

bool XmlRpcClient::nextPiece() {
    const std::size_t textEnd = nextStreamed_ < streamed_.size() ? streamed_[nextStreamed_].at : request_.size();
    if (textSent_ < textEnd) {
        current_ = std::string_view(request_).substr(textSent_, textEnd - textSent_);
        currentWritten_ = 0;
        textSent_ = textEnd;
        return true;
    }
    if (nextStreamed_ == streamed_.size()) return false;
    const XmlRpcValue::BinaryData& bytes = *streamed_[nextStreamed_].bytes;
    const std::size_t n = std::min(kStreamPieceBytes, bytes.size() - streamedDone_);
    encoded_.clear();
    XmlRpcValue::appendBase64(encoded_, bytes.data() + streamedDone_, n);
    streamedDone_ += n;
    if (streamedDone_ == bytes.size()) {
        ++nextStreamed_;
        streamedDone_ = 0;
    }
    current_ = encoded_;
    currentWritten_ = 0;
    return true;
}

std::string XmlRpcClient::generateHeader(std::size_t bodySize) {
    std::string header = "POST " + uri_ + " HTTP/1.1\r\nUser-Agent: ";
    header += kUserAgent;
    header += "\r\nHost: " + host_ + ":" + std::to_string(port_) + "\r\n";
    header += "Content-Type: text/xml\r\nContent-length: " + std::to_string(bodySize) + "\r\n\r\n";
    return header;
}

bool XmlRpcClient::writeRequest() {
    try {
        if (bytesWritten_ == 0)
            XmlRpcUtil::log(5, "XmlRpcClient::writeRequest (attempt %d):\n%s\n", sendAttempts_ + 1,
                            request_.c_str() + requestStart_);
        for (;;) {
            if (currentWritten_ == current_.size() && !nextPiece()) break;
            int written = static_cast<int>(currentWritten_);
            const bool ok = XmlRpcSocket::nbWrite(getfd(), current_, &written);
            bytesWritten_ += written - static_cast<int>(currentWritten_);
            currentWritten_ = static_cast<std::size_t>(written);
            if (!ok) {
                XmlRpcUtil::error("Error in XmlRpcClient::writeRequest: write error (%s).",
                                  XmlRpcSocket::getErrorMsg().c_str());
                return false;
            }
            if (currentWritten_ < current_.size()) break;  // the socket is full: wait for it
        }
        XmlRpcUtil::log(3, "XmlRpcClient::writeRequest: wrote %d bytes.", bytesWritten_);
        if (currentWritten_ == current_.size() && nextStreamed_ == streamed_.size() &&
            textSent_ == request_.size()) {
            releaseBuffer(header_);
            releaseBuffer(response_);
            connectionState_ = READ_HEADER;
        }
        return true;
    } catch (...) {
        XmlRpcUtil::error("XmlRpcClient::writeRequest: Exception! (OOM?)");
        releaseBuffer(request_);
        return false;
    }
}

bool XmlRpcClient::readHeader() {
    try {
        const std::size_t before = header_.size();
        errno = 0;  // an end of file sets none
        // One byte past the cap is enough to know the header is too long.
        bool ok = XmlRpcSocket::nbRead(getfd(), header_, &eof_, kMaxHeaderBytes + 1);
        const bool nothingRead = header_.size() == before && header_.empty();
        if (!ok || (eof_ && header_.size() == before)) {
            if (getKeepOpen() && nothingRead && sendAttempts_ == 0) {
                // The kept connection was stale: one more try on a fresh one.
                XmlRpcUtil::log(4, "XmlRpcClient::readHeader: re-trying connection");
                ++sendAttempts_;
                close();
                connectionState_ = NO_CONNECTION;
                eof_ = false;
                if (!setupConnection()) return false;
                armTimeLimit();
                return true;
            }
            XmlRpcUtil::error("Error in XmlRpcClient::readHeader: error while reading header (%s) on fd %d.",
                              XmlRpcSocket::getErrorMsg().c_str(), getfd());
            return false;
        }
        XmlRpcUtil::log(4, "XmlRpcClient::readHeader: client has read %d bytes",
                        static_cast<int>(header_.size()));

        XmlRpcReplyHeader scan = scanReplyHeader(header_);
        switch (scan.status) {
            case XmlRpcReplyHeader::Status::Incomplete:
                if (header_.size() > kMaxHeaderBytes) {
                    XmlRpcUtil::error("Error in XmlRpcClient::readHeader: header longer than %d bytes",
                                      static_cast<int>(kMaxHeaderBytes));
                    releaseBuffer(header_);
                    return false;
                }
                if (eof_) {
                    XmlRpcUtil::error("Error in XmlRpcClient::readHeader: EOF while reading header");
                    return false;
                }
                return true;
            case XmlRpcReplyHeader::Status::NoLength:
                XmlRpcUtil::error("Error XmlRpcClient::readHeader: No Content-length specified");
                return false;
            case XmlRpcReplyHeader::Status::InvalidLength:
                XmlRpcUtil::error(
                    "Error in XmlRpcClient::readHeader: Invalid Content-length specified (%lld).",
                    scan.contentLength);
                return false;
            case XmlRpcReplyHeader::Status::Complete:
                break;
        }
        contentLength_ = scan.contentLength;
        XmlRpcUtil::log(4, "client read content length: %lld", contentLength_);
        response_.assign(header_, scan.bodyOffset, std::string::npos);
        if (static_cast<long long>(response_.capacity()) < contentLength_)
            response_.reserve(static_cast<std::size_t>(contentLength_));
        releaseBuffer(header_);
        connectionState_ = READ_RESPONSE;
        // The whole reply may have come with the header.
        if (static_cast<long long>(response_.size()) >= contentLength_ || eof_) return readResponse();
        return true;
    } catch (...) {
        XmlRpcUtil::error("XmlRpcClient::readHeader: Exception! (OOM?)");
        releaseBuffer(header_);
        return false;
    }
}

bool XmlRpcClient::readResponse() {
    try {
        if (static_cast<long long>(response_.size()) < contentLength_) {
            if (!eof_ && !XmlRpcSocket::nbRead(getfd(), response_, &eof_,
                                               static_cast<std::size_t>(contentLength_))) {
                XmlRpcUtil::error("Error in XmlRpcClient::readResponse: read error (%s).",
                                  XmlRpcSocket::getErrorMsg().c_str());
                return false;
            }
            if (static_cast<long long>(response_.size()) < contentLength_) {
                if (eof_) {
                    XmlRpcUtil::error("Error in XmlRpcClient::readResponse: EOF while reading response");
                    return false;
                }
                return true;
            }
        }
        XmlRpcUtil::log(3, "XmlRpcClient::readResponse (read %d bytes)", static_cast<int>(response_.size()));
        XmlRpcUtil::log(5, "response:\n%s", response_.c_str());
        connectionState_ = IDLE;
        return false;  // done: the dispatcher drops the source and work() ends
    } catch (...) {
        XmlRpcUtil::error("XmlRpcClient::readResponse: Exception! (OOM?)");
        releaseBuffer(response_);
        return false;
    }
}

namespace {

enum class ReplyError { None, NoMethodResponse, NoParamOrFault, BadValue };

ReplyError readReply(std::string_view response, XmlRpcValue& result, bool& fault) {
    fault = false;
    result.clear();
    constexpr std::string_view kResponseTag = "<methodResponse>";
    std::size_t pos = response.find(kResponseTag);
    if (pos == std::string_view::npos) return ReplyError::NoMethodResponse;
    pos += kResponseTag.size();
    if (nextTagIs("<params>", response, pos)) {
        if (!nextTagIs("<param>", response, pos)) return ReplyError::NoParamOrFault;
    } else if (nextTagIs("<fault>", response, pos)) {
        fault = true;
    } else {
        return ReplyError::NoParamOrFault;
    }
    if (!result.fromXml(response, pos) || !result.valid()) return ReplyError::BadValue;
    return ReplyError::None;
}

}  // namespace

bool XmlRpcClient::parseResponseText(std::string_view response, XmlRpcValue& result, bool& fault) {
    return readReply(response, result, fault) == ReplyError::None;
}

bool XmlRpcClient::parseResponse(XmlRpcValue& result) {
    bool fault = false;
    switch (readReply(response_, result, fault)) {
        case ReplyError::NoMethodResponse:
            XmlRpcUtil::error(
                "Error in XmlRpcClient::parseResponse: Invalid response - no methodResponse. Response:\n%s",
                response_.c_str());
            break;
        case ReplyError::NoParamOrFault:
            XmlRpcUtil::error(
                "Error in XmlRpcClient::parseResponse: Invalid response - no param or fault tag. "
                "Response:\n%s",
                response_.c_str());
            break;
        case ReplyError::BadValue:
            XmlRpcUtil::error("Error in XmlRpcClient::parseResponse: Invalid response value. Response:\n%s",
                              response_.c_str());
            break;
        case ReplyError::None:
            break;
    }
    isFault_ = fault;
    releaseBuffer(response_);
    return result.valid();
}

}  // namespace XmlRpc

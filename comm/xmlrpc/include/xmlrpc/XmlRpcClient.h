// One XML-RPC connection to one server: one call at a time over HTTP/1.1,
// the connection kept open between calls.
//
// A call's time limit bounds each wait for socket activity, not the whole
// call: a server that stays silent for the limit at any stage makes the
// client retry once on a fresh connection, and silence again fails the
// call. Every call also has an overall deadline, with or without a limit,
// and a thread may bound all of its calls together (setThreadDeadline).
// Without a limit the connect phase is still bounded, and TCP keep-alive
// notices a peer that vanished.
//
// Not safe for concurrent calls: a second execute() while one runs is
// refused. Callers that share a client serialise their calls.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "xmlrpc/XmlRpcDispatch.h"
#include "xmlrpc/XmlRpcSource.h"
#include "xmlrpc/XmlRpcValue.h"

namespace XmlRpc {

class XmlRpcClient : public XmlRpcSource {
public:
    static constexpr const char* kUserAgent = "XMLRPC++ 0.7";
    // Longest wait for a TCP connect, whatever the call's limit.
    static constexpr double kConnectLimitSeconds = 5.0;
    // A reply header longer than this fails the call (the body has its own cap).
    static constexpr std::size_t kMaxHeaderBytes = 64 * 1024;
    // A call with a silence limit ends after four times that limit, and
    // never before this, however slowly its bytes come.
    static constexpr double kMinimumCallDeadlineSeconds = 60.0;
    static constexpr double kCallDeadlineFactor = 4.0;
    // A call without a silence limit ends after this however the server
    // behaves: a server that takes a call and stays silent held it for good.
    static constexpr double kUnlimitedCallDeadlineSeconds = 300.0;

    enum ClientConnectionState {
        NO_CONNECTION = 0,
        CONNECTING = 1,
        WRITE_REQUEST = 2,
        READ_HEADER = 3,
        READ_RESPONSE = 4,
        IDLE = 5,
    };

    // uri null means "/RPC2".
    XmlRpcClient(const char* host, int port, const char* uri = nullptr);
    ~XmlRpcClient() override;

    // params: an array is one parameter per element, an invalid value none,
    // anything else one parameter. timeoutSeconds < 0: no silence limit.
    // True when a well-formed reply arrived; isFault() tells a fault reply.
    bool execute(const char* method, const XmlRpcValue& params, XmlRpcValue& result,
                 double timeoutSeconds = -1.0);
    bool isFault() const { return isFault_; }
    // Tests shorten the floor of the overall deadline.
    void setMinimumCallDeadline(double seconds) { minimumDeadline_ = seconds; }
    // The overall deadline of a call without a limit (negative: none).
    void setUnlimitedCallDeadline(double seconds) { unlimitedDeadline_ = seconds; }

    // Every call the calling thread makes ends by `deadline`, its calls
    // together; a call begun after it fails at once, unsent. Each call's own
    // deadline still applies. noThreadDeadline() lifts it. The calling thread only.
    using Clock = std::chrono::steady_clock;
    static void setThreadDeadline(Clock::time_point deadline);
    static constexpr Clock::time_point noThreadDeadline() { return Clock::time_point::max(); }

    void close() override;
    unsigned handleEvent(unsigned eventType) override;

    // Reads a reply body into result; fault tells a fault reply.
    static bool parseResponseText(std::string_view response, XmlRpcValue& result, bool& fault);

protected:
    virtual bool doConnect();
    virtual bool setupConnection();
    virtual bool generateRequest(const char* method, const XmlRpcValue& params);
    virtual std::string generateHeader(std::size_t bodySize);
    virtual bool writeRequest();
    virtual bool readHeader();
    virtual bool readResponse();
    virtual bool parseResponse(XmlRpcValue& result);

    // Empties a buffer and, when it has grown large, returns its memory.
    static void releaseBuffer(std::string& buffer);

    ClientConnectionState connectionState_ = NO_CONNECTION;
    std::string host_;
    std::string uri_;
    int port_;
    std::string request_;
    std::size_t requestStart_ = 0;  // the request begins here in request_ (room left for its header)
    std::string header_;
    std::string response_;
    int sendAttempts_ = 0;
    int bytesWritten_ = 0;
    bool executing_ = false;
    bool eof_ = false;
    bool isFault_ = false;
    long long contentLength_ = 0;
    XmlRpcDispatch disp_;

private:
    // The dispatcher's limit: the call's, but bounded while a connect is pending.
    void armTimeLimit();
    // Large base64 parameters (a software image) are not written into
    // request_: each is encoded a piece at a time as the socket takes the
    // request, so no megabytes of text are held, and encoding overlaps sending.
    struct StreamedBytes {
        std::size_t at;  // where in request_ its text belongs
        const XmlRpcValue::BinaryData* bytes;
    };
    void appendParam(const XmlRpcValue& param, std::size_t& streamedSize);
    void restartRequest();
    // The next stretch of the request into current_; false when all is sent.
    bool nextPiece();
    std::vector<StreamedBytes> streamed_;
    std::string encoded_;         // the piece of a streamed value being sent
    std::string_view current_;    // what is being sent now
    std::size_t currentWritten_ = 0;
    std::size_t textSent_ = 0;    // request_ handed to current_ up to here
    std::size_t nextStreamed_ = 0;
    std::size_t streamedDone_ = 0;  // of that value's bytes, encoded so far


    double callLimit_ = -1.0;
    double minimumDeadline_ = kMinimumCallDeadlineSeconds;
    double unlimitedDeadline_ = kUnlimitedCallDeadlineSeconds;
    bool connectPending_ = false;
};

}  // namespace XmlRpc

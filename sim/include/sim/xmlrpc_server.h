// The simulator's XML-RPC server: HTTP/1.1 POST on "/RPC2", connections kept
// alive, several at once, each served by its own thread. Tests start it
// in-process on their own loopback address and an ephemeral port.
//
// Methods come from a table that the sensor parts fill; every call received
// is logged (method, parameters, raw request bytes) for tests to inspect.
//
// Clients are not trusted: headers, bodies, the bytes buffered by all
// connections together and the time a connection may sit idle are bounded
// (ServerLimits), and running out of descriptors or threads refuses
// connections instead of ending the program.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "sim/method_faults.h"
#include "sim/request_reader.h"
#include "xmlrpc/XmlRpcValue.h"

namespace vt::sim {

struct ReceivedCall {
    std::string method;
    XmlRpc::XmlRpcValue params;                      // always an array, one element per parameter
    std::string raw;                                 // the request as received: header and body
    std::size_t size = 0;                            // of the request as received
    uint64_t digest = 0;                             // requestDigest() of those bytes
    std::chrono::steady_clock::time_point received;  // when it arrived (or was cut off)
    bool complete = true;                            // false: closeMidRequest cut it off; params empty
};

// A fast 64-bit digest of a request's bytes (not cryptographic): large
// requests are logged as their size and this.
uint64_t requestDigest(std::string_view bytes);

struct ServerLimits {
    RequestLimits request;
    std::size_t maxBufferedBytes = 256 * 1024 * 1024;  // all connections together
    // A connection that sends nothing for this long, or that takes longer
    // for one request, is closed; so is one that reads no reply bytes for
    // the idle time.
    std::chrono::milliseconds idleTimeout{60000};
    std::chrono::milliseconds requestTimeout{300000};
    // Waited before accepting again when descriptors or memory ran out.
    std::chrono::milliseconds acceptBackoff{100};
    // Requests above this many bytes are logged without their bytes and
    // parameters, unless keepLargeRequests is set.
    std::size_t loggedRequestBytes = 256 * 1024;
    bool keepLargeRequests = false;
    // The call log keeps the latest this many calls.
    std::size_t maxLoggedCalls = static_cast<std::size_t>(-1);
};

// Returns the reply value; throwing XmlRpc::XmlRpcException answers with a
// fault that carries its message and code, throwing NoReply closes the
// connection without an answer.
struct NoReply {};
using MethodHandler = std::function<XmlRpc::XmlRpcValue(const XmlRpc::XmlRpcValue& params)>;

class XmlRpcServer {
public:
    // port 0 picks an ephemeral port.
    explicit XmlRpcServer(std::string address = "127.0.0.1", uint16_t port = 0, ServerLimits limits = {});
    ~XmlRpcServer();
    XmlRpcServer(const XmlRpcServer&) = delete;
    XmlRpcServer& operator=(const XmlRpcServer&) = delete;

    // Binds, listens and starts serving; false with error() set when it cannot.
    bool start();
    // Before start(): tests put small limits in.
    void setLimits(const ServerLimits& limits) { limits_ = limits; }
    const ServerLimits& limits() const { return limits_; }
    // Starts a connection's thread; throwing std::system_error refuses the
    // connection. Tests replace it to show the refusal.
    using ThreadStarter = std::function<std::thread(std::function<void()>)>;
    void setThreadStarter(ThreadStarter starter) { startThread_ = std::move(starter); }
    // Closes every connection and joins every thread. Idempotent.
    void stop();

    const std::string& address() const { return address_; }
    uint16_t port() const { return port_; }
    const std::string& error() const { return error_; }

    void setMethod(const std::string& name, MethodHandler handler);
    // Told of every request: begun true when it has been read, false once it
    // is answered (or dropped). Runs on the connection's thread; set it
    // before start().
    using CallListener = std::function<void(const std::string& method, bool begun)>;
    void setCallListener(CallListener listener) { callListener_ = std::move(listener); }
    void setFaults(const std::string& method, const MethodFaults& faults);
    void clearFaults(const std::string& method);
    // A silent sensor reads every request and answers none.
    void setSilent(bool silent);

    std::vector<ReceivedCall> calls() const;
    std::size_t countCalls(const std::string& method) const;
    void clearCalls();
    // Waits until at least n calls of the method have arrived.
    bool waitForCalls(const std::string& method, std::size_t n, std::chrono::milliseconds timeout) const;
    std::size_t connectionsAccepted() const { return accepted_; }
    // Connections being served now.
    std::size_t connectionsOpen();
    // Bytes the connections hold now: requests in part, and whole ones being answered.
    std::size_t bytesBuffered() const { return buffered_; }

private:
    struct Connection {
        std::thread thread;
        std::atomic<bool> done{false};
    };

    void acceptLoop();
    void serve(int fd, Connection* self);
    // Returns false when the connection is to be closed.
    bool answer(int fd, std::string raw, std::size_t bodyOffset);
    // With closeMidRequest on the method of a request half received: logs
    // it and tells the connection to close.
    bool cutOff(RequestReader& reader);
    // How the request under way is read: as it comes, or a slow link's pieces.
    struct SlowRead {
        std::size_t bytes = static_cast<std::size_t>(-1);
        std::chrono::milliseconds pause{0};
    };
    SlowRead slowRead(RequestReader& reader);
    void log(ReceivedCall call);
    // Holds n more bytes against the shared budget; false when it is spent.
    bool reserve(std::size_t n);
    // Sleeps, but wakes when the server stops; false then.
    bool pause(std::chrono::milliseconds duration) const;
    bool sendAll(int fd, const char* data, std::size_t n) const;
    void waitUntilClosed(int fd) const;
    std::string replyBody(const std::string& method, const XmlRpc::XmlRpcValue& params,
                          const MethodFaults& faults);
    void reapFinished();

    std::string address_;
    uint16_t port_;
    ServerLimits limits_;
    ThreadStarter startThread_;
    CallListener callListener_;
    std::atomic<std::size_t> buffered_{0};
    std::string error_;
    int listenFd_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> silent_{false};
    std::atomic<std::size_t> accepted_{0};
    std::thread acceptor_;

    mutable std::mutex mutex_;
    mutable std::condition_variable callArrived_;
    std::map<std::string, MethodHandler> methods_;
    std::map<std::string, MethodFaults> faults_;
    std::deque<ReceivedCall> calls_;

    std::mutex connectionsMutex_;
    std::list<std::unique_ptr<Connection>> connections_;
};

}  // namespace vt::sim

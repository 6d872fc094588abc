// The simulator's XML-RPC server: HTTP/1.1 POST on "/RPC2", connections kept
// alive, several at once, each served by its own thread. Tests start it
// in-process on their own loopback address and an ephemeral port.
//
// Methods come from a table that the sensor parts fill; every call received
// is logged (method, parameters, raw request bytes) for tests to inspect.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/method_faults.h"
#include "xmlrpc/XmlRpcValue.h"

namespace vt::sim {

struct ReceivedCall {
    std::string method;
    XmlRpc::XmlRpcValue params;                      // always an array, one element per parameter
    std::string raw;                                 // the request as received: header and body
    std::chrono::steady_clock::time_point received;  // when it arrived (or was cut off)
    bool complete = true;                            // false: closeMidRequest cut it off; params empty
};

// Returns the reply value; throwing XmlRpc::XmlRpcException answers with a
// fault that carries its message and code, throwing NoReply closes the
// connection without an answer.
struct NoReply {};
using MethodHandler = std::function<XmlRpc::XmlRpcValue(const XmlRpc::XmlRpcValue& params)>;

class XmlRpcServer {
public:
    // port 0 picks an ephemeral port.
    explicit XmlRpcServer(std::string address = "127.0.0.1", uint16_t port = 0);
    ~XmlRpcServer();
    XmlRpcServer(const XmlRpcServer&) = delete;
    XmlRpcServer& operator=(const XmlRpcServer&) = delete;

    // Binds, listens and starts serving; false with error() set when it cannot.
    bool start();
    // Closes every connection and joins every thread. Idempotent.
    void stop();

    const std::string& address() const { return address_; }
    uint16_t port() const { return port_; }
    const std::string& error() const { return error_; }

    void setMethod(const std::string& name, MethodHandler handler);
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

private:
    struct Connection {
        std::thread thread;
        std::atomic<bool> done{false};
    };

    void acceptLoop();
    void serve(int fd, Connection* self);
    // Returns false when the connection is to be closed.
    bool answer(int fd, const std::string& raw, std::size_t bodyOffset);
    // With closeMidRequest on the method of a request half received: logs
    // it and tells the connection to close.
    bool cutOff(const std::string& buffer, std::size_t bodyOffset, long long contentLength);
    // Sleeps, but wakes when the server stops; false then.
    bool pause(std::chrono::milliseconds duration) const;
    bool sendAll(int fd, const char* data, std::size_t n) const;
    void waitUntilClosed(int fd) const;
    std::string replyBody(const std::string& method, const XmlRpc::XmlRpcValue& params,
                          const MethodFaults& faults);
    void reapFinished();

    std::string address_;
    uint16_t port_;
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
    std::vector<ReceivedCall> calls_;

    std::mutex connectionsMutex_;
    std::list<std::unique_ptr<Connection>> connections_;
};

}  // namespace vt::sim

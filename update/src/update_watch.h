// Watching the sensor while it holds the update's call: a sensor that takes
// the image and then stays silent must not hold the update for the client's
// overall deadline (minutes).
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "xmlrpc/XmlRpcClient.h"

namespace brimsol {

// The update's client: its call in flight can be cut from another thread.
class UpdateClient : public XmlRpc::XmlRpcClient {
public:
    using XmlRpc::XmlRpcClient::XmlRpcClient;
    // Shuts the call's socket down and refuses to connect again (so the
    // call cannot come back on a fresh connection) until allowCalls(). Any thread.
    void cutCall();
    void allowCalls();
    void close() override;
    // How much of the call's request the sensor has taken: the bytes written
    // less those still waiting in the socket for its acknowledgement. Any thread.
    long long taken();

protected:
    bool doConnect() override;
    bool writeRequest() override;

private:
    std::mutex fdMutex_;
    bool cut_ = false;  // under fdMutex_
    std::atomic<long long> written_{0};  // the request's bytes written, every attempt together
};

// While it lives, probes the sensor on a connection of its own every round
// (the program's heartbeat timing: 2 s, 1 s per probe) and cuts the
// client's call after two probes in a row got no answer at all. Any answer,
// a fault included, shows the sensor is there: one busy writing its flash
// but answering is left alone however long the update takes. So does a
// sensor still taking the image: a server that reads one request at a time
// cannot answer a probe then, and the bytes it takes are its sign of life.
class SilenceWatch {
public:
    SilenceWatch(UpdateClient& client, const std::string& host, int port);
    ~SilenceWatch();
    SilenceWatch(const SilenceWatch&) = delete;
    SilenceWatch& operator=(const SilenceWatch&) = delete;

    static constexpr std::chrono::milliseconds kRound{2000};
    static constexpr double kProbeLimitSeconds = 1.0;
    static constexpr int kFailureLimit = 2;

private:
    void run(const std::string& host, int port);

    UpdateClient& client_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;  // under mutex_
    std::thread thread_;
};

}  // namespace brimsol

// The one connection object of the library: an XML-RPC client whose calls
// are serialised by one lock, with a time limit per call, and a heartbeat
// thread that probes the sensor whenever it has answered nothing for a
// round: on the connection when it is free, else (a call waits on the
// sensor, perhaps for good) on a second connection of its own.
#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <functional>
#include <string>
#include <thread>

#include "platform/window_target.h"
#include "xmlrpc/XmlRpcClient.h"

namespace dravik {

class XmlRpcClientTimeout : public XmlRpc::XmlRpcClient {
public:
    // window null: no heartbeat and no messages.
    XmlRpcClientTimeout(VtWindow window, int intervalMs, double heartbeatLimitSeconds, int failureLimit,
                        std::string heartbeatMethod, const char* host, int port, const char* uri);
    // Stops and joins the heartbeat before the client goes.
    ~XmlRpcClientTimeout() override;

    // One call under the connection's lock; an answer (true) tells the
    // heartbeat the sensor is there. False at once after retire().
    bool execute(const char* method, const XmlRpc::XmlRpcValue& params, XmlRpc::XmlRpcValue& result,
                 double timeoutSeconds);

    // Test seam: sees the method and time limit of every call of every
    // connection before it goes out (null: none). Set while no call runs.
    using CallObserver = std::function<void(const char* method, double timeoutSeconds)>;
    static void observeCalls(CallObserver observer);

    // Starts the heartbeat thread when a window is set and none runs.
    void StartHeartbeat();
    // Stops the heartbeat thread and waits until it has ended. Must not be
    // called with the connection's lock held.
    void StopHeartbeat();
    void PostConnectionLost();
    // 0: the probe answered with an array; -1: it answered with anything
    // else; -2: no answer. Called with the connection's lock held.
    int SendHeartbeat();
    // The same on the heartbeat's own connection, while a call holds this
    // one. Heartbeat thread only.
    int SendSideHeartbeat();

    // True while the heartbeat thread runs (it ends by itself after a lost connection).
    bool heartbeatRunning();

    // Closes the connection for good: later calls fail without touching the
    // network. Waits for a call in progress.
    void retire();
    // Gives the connection up at once: the call in flight, whoever makes it,
    // fails now (its socket is shut down, no reconnect), and so does every
    // later call. Never waits for a call; any thread.
    void abandon();
    // The local IPv4 address of the connection, "" when there is none.
    std::string localAddress();

    void close() override;

    // Ends the call that thread `caller` is making on this connection, if
    // any (its socket is shut down and the call fails without reconnecting;
    // the next call of another thread opens a fresh connection), and makes
    // every later call of that thread fail at once until
    // endInterruptOf(caller). Any thread.
    void interruptCallOf(std::thread::id caller);
    void endInterruptOf(std::thread::id caller);
    // True while another thread waits to make a call; a thread that calls
    // in a loop lets such callers go first.
    bool callersWaiting() const { return waiting_.load() > 0; }

protected:
    bool doConnect() override;

private:
    void HeartbeatThread();
    // A probe where it can go now; kNoProbe when the connection is given up.
    int Probe();
    void signal();
    bool abandoned();

    const VtWindow window_;
    const int intervalMs_;
    const double heartbeatLimitSeconds_;
    const int failureLimit_;
    const std::string heartbeatMethod_;

    // The critical section: every exchange, the heartbeat's included.
    std::recursive_mutex section_;
    // The sensor answered a call since the heartbeat's last round.
    std::atomic<bool> answered_{false};
    bool retired_ = false;   // under section_

    // Guards the socket descriptor against an interrupt from another thread.
    std::recursive_mutex fdMutex_;
    std::thread::id caller_;       // the thread inside execute(), under fdMutex_
    std::thread::id interrupted_;  // calls of this thread fail, under fdMutex_
    bool abandoned_ = false;       // every call fails, under fdMutex_
    std::atomic<int> waiting_{0};

    std::unique_ptr<XmlRpc::XmlRpcClient> side_;  // the heartbeat thread's own connection
    std::mutex threadMutex_;  // guards thread_ against concurrent start and stop
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> threadEnded_{true};
    std::mutex eventMutex_;
    std::condition_variable event_;
    bool signalled_ = false;  // auto-reset, under eventMutex_
};

}  // namespace dravik

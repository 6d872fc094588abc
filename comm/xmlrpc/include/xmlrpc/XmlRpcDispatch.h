// Waits on the sockets of its sources with poll and hands their events over.
#pragma once

#include <list>

namespace XmlRpc {

class XmlRpcSource;

class XmlRpcDispatch {
public:
    enum EventType {
        ReadableEvent = 1,
        WritableEvent = 2,
        Exception = 4,
    };

    // Results of work().
    static constexpr int kSilence = 0;    // a whole wait passed without any socket event
    static constexpr int kExited = 1;     // exit() ended the wait
    static constexpr int kNoSources = 2;  // every source is done
    static constexpr int kWaitError = 3;  // poll failed
    static constexpr int kDeadline = 4;   // the overall deadline passed

    XmlRpcDispatch() = default;
    ~XmlRpcDispatch();
    XmlRpcDispatch(const XmlRpcDispatch&) = delete;
    XmlRpcDispatch& operator=(const XmlRpcDispatch&) = delete;

    void addSource(XmlRpcSource* source, unsigned eventMask);
    void removeSource(XmlRpcSource* source);
    void setSourceEvents(XmlRpcSource* source, unsigned eventMask);

    // Seconds that one wait for socket activity may last; negative: no limit.
    void setTimeLimit(double seconds) { timeLimit_ = seconds; }
    double getTimeLimit() const { return timeLimit_; }
    // Seconds from now after which work() ends however busy the sockets
    // are; negative: none.
    void setDeadline(double secondsFromNow);

    // Runs until no source is left, a wait times out or exit() is called.
    int work();
    void exit();
    // Removes and closes every source (deferred while work() runs).
    void clear();

private:
    struct MonitoredSource {
        XmlRpcSource* source;
        unsigned mask;
    };
    std::list<MonitoredSource> sources_;
    double endTime_ = -1.0;
    double timeLimit_ = -1.0;
    double deadline_ = -1.0;  // on the dispatcher's clock
    bool inWork_ = false;
    bool doClear_ = false;
};

}  // namespace XmlRpc

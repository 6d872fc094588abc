#include "xmlrpc/XmlRpcDispatch.h"

#include <poll.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <vector>

#include "xmlrpc/XmlRpcSource.h"
#include "xmlrpc/XmlRpcUtil.h"

namespace XmlRpc {

namespace {

double now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

short pollEvents(unsigned mask) {
    short events = 0;
    if (mask & XmlRpcDispatch::ReadableEvent) events |= POLLIN;
    if (mask & XmlRpcDispatch::WritableEvent) events |= POLLOUT;
    if (mask & XmlRpcDispatch::Exception) events |= POLLPRI;
    return events;
}

// An error or hang-up goes to the exception handler when the source asked
// for one; otherwise the next read or write finds it.
unsigned dispatchEvents(short revents, unsigned mask) {
    unsigned events = 0;
    const bool failed = (revents & (POLLERR | POLLNVAL)) != 0;
    if ((revents & (POLLIN | POLLHUP)) || (failed && !(mask & XmlRpcDispatch::Exception)))
        events |= XmlRpcDispatch::ReadableEvent;
    if ((revents & POLLOUT) || (failed && !(mask & XmlRpcDispatch::Exception)))
        events |= XmlRpcDispatch::WritableEvent;
    if ((revents & POLLPRI) || failed) events |= XmlRpcDispatch::Exception;
    return events & mask;
}

}  // namespace

XmlRpcDispatch::~XmlRpcDispatch() = default;

void XmlRpcDispatch::addSource(XmlRpcSource* source, unsigned eventMask) {
    for (auto& s : sources_)
        if (s.source == source) {
            s.mask = eventMask;
            return;
        }
    sources_.push_back({source, eventMask});
}

void XmlRpcDispatch::removeSource(XmlRpcSource* source) {
    sources_.remove_if([source](const MonitoredSource& s) { return s.source == source; });
}

void XmlRpcDispatch::setSourceEvents(XmlRpcSource* source, unsigned eventMask) {
    for (auto& s : sources_)
        if (s.source == source) s.mask = eventMask;
}

int XmlRpcDispatch::work() {
    inWork_ = true;
    int result = kNoSources;
    std::vector<pollfd> fds;
    std::vector<MonitoredSource> pass;
    while (!sources_.empty()) {
        double limit = timeLimit_;
        bool cutByDeadline = false;
        if (deadline_ >= 0.0) {
            const double left = deadline_ - now();
            if (left <= 0.0) {
                result = kDeadline;
                break;
            }
            if (limit < 0.0 || left < limit) {
                limit = left;
                cutByDeadline = true;
            }
        }
        endTime_ = limit < 0.0 ? -1.0 : now() + limit;

        pass.assign(sources_.begin(), sources_.end());
        fds.clear();
        for (const auto& s : pass) fds.push_back({s.source->getfd(), pollEvents(s.mask), 0});

        int waitMs = -1;
        if (limit >= 0.0) waitMs = static_cast<int>(std::min(std::floor(limit * 1000.0), 2147483647.0));
        int n = ::poll(fds.data(), fds.size(), waitMs);
        if (n < 0) {
            if (errno == EINTR) continue;
            XmlRpcUtil::error("Error in XmlRpcDispatch::work: error in select (%d).", errno);
            result = kWaitError;
            break;
        }
        if (n == 0) {
            if (cutByDeadline && endTime_ != 0.0) continue;  // the loop's test reports the deadline
            result = endTime_ != 0.0 ? kSilence : kExited;
            break;
        }

        for (std::size_t i = 0; i < pass.size(); ++i) {
            XmlRpcSource* src = pass[i].source;
            // An earlier handler of this pass may have dropped this source.
            auto it = std::find_if(sources_.begin(), sources_.end(),
                                   [src](const MonitoredSource& s) { return s.source == src; });
            if (it == sources_.end()) continue;
            unsigned events = dispatchEvents(fds[i].revents, it->mask);
            if (events == 0) continue;
            unsigned newMask = 0;
            // Exceptions first: a refused connect is reported as such, not as a write error.
            for (unsigned bit : {unsigned(Exception), unsigned(ReadableEvent), unsigned(WritableEvent)}) {
                if (!(events & bit)) continue;
                newMask = src->handleEvent(bit);
                if (newMask == 0) break;
            }
            it = std::find_if(sources_.begin(), sources_.end(),
                              [src](const MonitoredSource& s) { return s.source == src; });
            if (it == sources_.end()) continue;
            if (newMask == 0) {
                sources_.erase(it);
                if (!src->getKeepOpen()) src->close();
            } else {
                it->mask = newMask;
            }
        }

        if (doClear_) {
            auto closing = std::move(sources_);
            sources_.clear();
            for (auto& s : closing) s.source->close();
            doClear_ = false;
        }
    }
    inWork_ = false;
    return result;
}

void XmlRpcDispatch::setDeadline(double secondsFromNow) {
    deadline_ = secondsFromNow < 0.0 ? -1.0 : now() + secondsFromNow;
}

void XmlRpcDispatch::exit() {
    endTime_ = 0.0;
}

void XmlRpcDispatch::clear() {
    if (inWork_) {
        doClear_ = true;
        return;
    }
    auto closing = std::move(sources_);
    sources_.clear();
    for (auto& s : closing) s.source->close();
}

}  // namespace XmlRpc

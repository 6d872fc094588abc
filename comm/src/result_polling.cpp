#include "result_polling.h"

#include <new>

namespace dravik {

using XmlRpc::XmlRpcValue;

int StartPollingThread(LibraryState& state, const std::shared_ptr<XmlRpcClientTimeout>& connection) {
    std::lock_guard polling(state.pollingMutex);
    std::shared_ptr<CResultPollingThread> old;
    VtWindow window = nullptr;
    {
        std::lock_guard lock(state.mutex);
        if (!connection || state.connection != connection) return COMM_NOT_CONNECTED;
        old = std::move(state.polling);
        window = state.window;
    }
    if (old) old->Stop();

    std::recursive_mutex& section = state.resultSection;
    std::atomic<int>& sectionWaiting = state.resultSectionWaiting;
    // The thread holds the connection; a session that ends stops the thread first.
    auto poll = [connection, &section](XmlRpcValue& reply) {
        std::lock_guard lock(section);
        return connection->execute("xmlPollResults", XmlRpcValue(), reply, kPollLimitSeconds);
    };
    auto interrupt = [connection](std::thread::id poller, bool on) {
        if (on)
            connection->interruptCallOf(poller);
        else
            connection->endInterruptOf(poller);
    };
    auto othersWaiting = [connection, &sectionWaiting] {
        return connection->callersWaiting() || sectionWaiting.load() > 0;
    };
    std::shared_ptr<CResultPollingThread> thread;
    try {
        thread = std::make_shared<CResultPollingThread>(window, poll, interrupt, othersWaiting);
    } catch (const std::bad_alloc&) {
        return COMM_NOT_CONNECTED;
    }
    if (!thread->Start()) return COMM_NOT_CONNECTED;
    std::lock_guard lock(state.mutex);
    state.polling = std::move(thread);
    return COMM_OK;
}

void StopPollingThread(LibraryState& state) {
    std::lock_guard polling(state.pollingMutex);
    std::shared_ptr<CResultPollingThread> thread;
    {
        std::lock_guard lock(state.mutex);
        thread = std::move(state.polling);
    }
    if (thread) thread->Stop();
}

int ResumePolling(LibraryState& state) {
    std::shared_ptr<CResultPollingThread> thread;
    {
        std::lock_guard lock(state.mutex);
        thread = state.polling;
    }
    if (!thread) return COMM_NO_POLLING_THREAD;
    thread->Resume();
    return COMM_OK;
}

}  // namespace dravik

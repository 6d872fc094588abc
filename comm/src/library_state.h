// The library's process-wide state: the one connection and what belongs to
// it. Exports lease the connection (a shared pointer taken under the lock),
// so a Connect or Disconnect on another thread never frees it under them; a
// torn-down connection is retired and fails every later call at once.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "host_map.h"
#include "live_image.h"
#include "platform/window_target.h"
#include "result_polling_thread.h"
#include "xml_rpc_client_timeout.h"

namespace dravik {

struct LibraryState {
    LibraryState() = default;
    // Unloading the library ends the session as Disconnect(null) does.
    ~LibraryState();
    LibraryState(const LibraryState&) = delete;
    LibraryState& operator=(const LibraryState&) = delete;

    // Connect and Disconnect run one at a time; taken before mutex.
    std::mutex sessionMutex;
    // The live image exports run one at a time, and not during the end of a
    // session; taken after sessionMutex, before mutex.
    std::mutex liveImageMutex;
    // Starts and stops of result polling run one at a time; taken after
    // sessionMutex, before liveImageMutex and mutex.
    std::mutex pollingMutex;
    // Keeps a result poll and a decoded-image fetch apart; taken before the
    // connection's lock. The count lets the polling thread give way.
    std::recursive_mutex resultSection;
    std::atomic<int> resultSectionWaiting{0};

    // Guards everything below; never held during a sensor call.
    std::mutex mutex;
    std::shared_ptr<XmlRpcClientTimeout> connection;  // null: not connected
    // Counts AbandonConnection calls: a Connect that began before one gives
    // up the connection it makes.
    unsigned abandons = 0;
    VtWindow window = nullptr;
    HostMap hostMap;
    std::u16string languageLibraryPath;
    bool languageLibraryPathSet = false;
    int languageFlag = 0;  // kept for the program; nothing in the library reads it
    bool liveImageRunning = false;
    // Kept between a stop and the next start; leased like the connection.
    std::shared_ptr<CLiveImage> liveImage;
    // The one polling thread of the session; null when none was started.
    std::shared_ptr<CResultPollingThread> polling;
    // Set while the library holds a result lock on the sensor.
    bool resultLocked = false;
    // How Connect learns its local address; tests replace it to act as
    // another interface (every loopback connection reports 127.0.0.1).
    std::function<std::string(XmlRpcClientTimeout&)> localAddressSource;
    // The heartbeat of the connections Connect makes: a round about every
    // 2 s, each probe 1 s of silence, lost after 2 failed probes in a row.
    // Tests shorten it.
    struct HeartbeatTiming {
        int intervalMs = 2000;
        double limitSeconds = 1.0;
        int failureLimit = 2;
    } heartbeat;
};

LibraryState& libraryState();

// The connection for one export call, or null when not connected.
std::shared_ptr<XmlRpcClientTimeout> leaseConnection();

// Ends the session: the caller holds state.sessionMutex.
void endSession(LibraryState& state, const char* key);

}  // namespace dravik

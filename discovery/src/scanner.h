// The scan: a thread that searches each listed subnet and posts what it finds.
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "discovery_settings.h"
#include "platform/window_target.h"
#include "sonvira/sonvira_status.h"
#include "stop_flag.h"

namespace sonvira {

inline constexpr unsigned kWmUser = 1024;

class Scanner {
public:
    Scanner(std::vector<std::string> networks, std::vector<std::string> masks, VtWindow window,
            int wParamFound, int wParamDone, const DiscoverySettings& settings);
    ~Scanner() { stop(); }
    Scanner(const Scanner&) = delete;
    Scanner& operator=(const Scanner&) = delete;

    // Starts the thread. SONVIRA_NO_SUBNETS when the lists are empty or of
    // unequal length; SONVIRA_SYSTEM_ERROR_BASE + errno when no thread starts.
    DiscoveryStatus start();

    // Asks the thread to end and waits for it. Nothing is posted afterwards.
    void stop();
    // Only asks; for the scan thread itself, which cannot wait for itself.
    void requestStop() { stop_.request(); }

    // SONVIRA_SYSTEM_ERROR_BASE + errno when the scan could not start its
    // sockets, else 0.
    int error() const { return error_.load(); }

    // The scanner whose thread is the calling thread, if any.
    static Scanner* current();

private:
    void run();
    void postDone(int lParam);

    std::vector<std::string> networks_;
    std::vector<std::string> masks_;
    VtWindow window_;
    int wParamFound_;
    int wParamDone_;
    DiscoverySettings settings_;
    StopFlag stop_;
    std::atomic<int> error_{0};
    std::thread thread_;
};

}  // namespace sonvira

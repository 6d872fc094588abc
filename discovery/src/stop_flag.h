// The request to end a search, checked in every wait of the search.
#pragma once

#include <atomic>
#include <chrono>

namespace sonvira {

// Longest stretch a search waits without looking at its stop flag.
inline constexpr std::chrono::milliseconds kStopCheckInterval{25};

class StopFlag {
public:
    void request() { requested_.store(true); }
    bool requested() const { return requested_.load(); }

private:
    std::atomic<bool> requested_{false};
};

}  // namespace sonvira

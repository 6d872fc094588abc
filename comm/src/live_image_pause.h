// Pauses a running live image for the length of one sensor call: the sensor
// cannot stream while it measures the exposure time.
#pragma once

#include <memory>
#include <mutex>

#include "library_state.h"

namespace dravik {

class LiveImagePause {
public:
    // Stops the receiver's thread when the live image runs.
    explicit LiveImagePause(LibraryState& state);
    // Starts it again, if it was stopped here.
    ~LiveImagePause();
    LiveImagePause(const LiveImagePause&) = delete;
    LiveImagePause& operator=(const LiveImagePause&) = delete;

private:
    std::unique_lock<std::mutex> lock_;  // the live image exports wait meanwhile
    std::shared_ptr<CLiveImage> paused_;
};

}  // namespace dravik

// The window handle that the program hands to a library.
//
// A library never sees the window system: the "window" it posts to is this
// small object, created and owned by the program. It carries the program's
// post function and its context; the libraries only call vt_post_message().
// The layout is plain data plus two lock-free atomics, identical in every
// module of the process, so one target works across all four libraries with
// no process-wide registry.
//
// Threads: any thread may post. The owner calls vt_target_close() from any
// thread before it frees the target; after close returns no post reaches the
// post function, and a payload posted then is freed with its deleter.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

extern "C" {

// Frees a payload that travels with a message (for example a discovery record).
typedef void (*VtPayloadDeleter)(void* payload);

// Delivers one message. It must not block for long: the program queues it for
// its GUI thread. When deleter is not null, lParam points to a payload the
// receiver now owns and releases with deleter once it has copied it.
typedef void (*VtPostFunction)(void* context, unsigned message, uintptr_t wParam, intptr_t lParam,
                               VtPayloadDeleter deleter);

struct VtWindowTarget {
    VtPostFunction post;
    void* context;
    std::atomic<uint32_t> alive;     // 1 until closed
    std::atomic<uint32_t> inFlight;  // posts between their alive check and their return
};

// The HWND of this system.
typedef VtWindowTarget* VtWindow;

}  // extern "C"

inline void vt_target_init(VtWindowTarget* target, VtPostFunction post, void* context) {
    target->post = post;
    target->context = context;
    target->inFlight.store(0);
    target->alive.store(1);
}

// Posts (message, wParam, lParam). Returns true when the message went to the
// post function; false when the target is null or closed, in which case the
// payload (if any) has been freed here.
inline bool vt_post_message(VtWindow target, unsigned message, uintptr_t wParam, intptr_t lParam,
                            VtPayloadDeleter deleter = nullptr) {
    if (target != nullptr) {
        target->inFlight.fetch_add(1);
        if (target->alive.load() != 0 && target->post != nullptr) {
            target->post(target->context, message, wParam, lParam, deleter);
            target->inFlight.fetch_sub(1);
            return true;
        }
        target->inFlight.fetch_sub(1);
    }
    if (deleter != nullptr) deleter(reinterpret_cast<void*>(lParam));
    return false;
}

// Closes the target: later posts are dropped. Waits for posts already inside
// the post function, so the context may be destroyed once this returns.
inline void vt_target_close(VtWindowTarget* target) {
    target->alive.store(0);
    while (target->inFlight.load() != 0) std::this_thread::yield();
}

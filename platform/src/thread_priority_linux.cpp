#include <pthread.h>
#include <cstddef>
#include <sys/resource.h>
#include <unistd.h>

#include "platform/thread_priority.h"

namespace vt {

void setCurrentThreadIdlePriority() {
    // On Linux the nice value belongs to the thread, not the process. SCHED_IDLE
    // would starve the thread on a busy machine; nice 19 only lets others go first.
    (void)::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 19);
}

void setCurrentThreadName(const char* name) {
    char cut[16] = {};
    for (std::size_t i = 0; name != nullptr && name[i] != '\0' && i + 1 < sizeof cut; ++i) cut[i] = name[i];
    (void)::pthread_setname_np(::pthread_self(), cut);
}

}  // namespace vt

// Thread priorities: background work yields to everything interactive; and
// thread names, which debuggers and /proc show.
#pragma once

namespace vt {

// Lowers the calling thread to the lowest ordinary priority. Best effort.
void setCurrentThreadIdlePriority();

// Names the calling thread (at most 15 characters are kept). Best effort.
void setCurrentThreadName(const char* name);

}  // namespace vt

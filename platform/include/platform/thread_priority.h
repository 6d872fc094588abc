// Thread priorities: background work yields to everything interactive.
#pragma once

namespace vt {

// Lowers the calling thread to the lowest ordinary priority. Best effort.
void setCurrentThreadIdlePriority();

}  // namespace vt

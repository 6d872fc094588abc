// Heap tuning for the program's large, short-lived blocks.
#pragma once

namespace vt {

// Keeps freed large blocks (a software update's image and its request, a
// few tens of MB) in the heap instead of handing them back to the system,
// so the next update does not fault every page in again. Call once at
// process start, before any thread. Best effort.
void keepLargeBlocks();

}  // namespace vt

#include "platform/large_blocks.h"

#include <malloc.h>

namespace vt {

void keepLargeBlocks() {
  // Blocks up to 32 MB come from the heap, not their own mapping; a heap
  // only shrinks once 128 MB lie free at its top. A fixed threshold also
  // stops glibc from moving it per freed block.
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
  // One heap for every thread: a worker thread's own arena would drop its
  // emptied heaps whatever the threshold, and the program has few threads.
  mallopt(M_ARENA_MAX, 1);
  mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
}

}  // namespace vt

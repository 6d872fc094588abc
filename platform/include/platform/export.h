// The one export macro: a flat function with C linkage and default
// visibility. Each library's public header defines its own name for it; the
// library's linker map then decides what really leaves the library.
#pragma once

#define VT_EXPORT_C extern "C" __attribute__((visibility("default")))

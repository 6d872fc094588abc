// A loopback address of its own for each test, so that tests that must use
// a fixed port (or simply want their own sensor) can run in parallel.
#pragma once

#include <string>

#include "loopback_subnet.h"

namespace vt::test {

// The first host of a fresh /28 of the process's own 127.a.b.0/24 (from the
// pid; a counter picks the /28): distinct between processes and, for 16
// calls in a row, within one. Never 127.0.0.1.
inline std::string uniqueLoopbackAddress() {
    return vt::formatIpv4(uniqueLoopbackSubnet().host(1));
}

}  // namespace vt::test

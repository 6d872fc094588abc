// Instruction counts of a benchmark run under callgrind, from the dumps it
// asks for by name (CALLGRIND_DUMP_STATS_AT): unlike CPU time they do not
// follow the machine's load. Without valgrind's header the requests do nothing.
#pragma once

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define RUNNING_ON_VALGRIND 0
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_DUMP_STATS_AT(name)
#endif

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace vt::bench {

// Each dump of this process in the current folder (callgrind's default
// names), in order: its name and its instructions.
inline std::vector<std::pair<std::string, double>> CallgrindDumps() {
  std::vector<std::pair<std::string, double>> dumps;
  for (int part = 1;; ++part) {
    std::ifstream in("callgrind.out." + std::to_string(::getpid()) + "." + std::to_string(part));
    if (!in) return dumps;
    std::string line, trigger;
    double events = -1;
    while (std::getline(in, line)) {
      if (line.rfind("desc: Trigger: Client Request: ", 0) == 0) trigger = line.substr(31);
      if (line.rfind("summary: ", 0) == 0) events = std::atof(line.c_str() + 9);
    }
    if (events >= 0) dumps.emplace_back(trigger, events);
  }
}

}  // namespace vt::bench

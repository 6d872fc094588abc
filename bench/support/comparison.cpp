#include "comparison.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>

namespace vt::bench {

namespace {

std::vector<Comparison>& Declared() {
  static std::vector<Comparison> comparisons;
  return comparisons;
}

bool Measured(double v) { return std::isfinite(v) && v > 0; }

// Keeps what the comparisons need of each run, and whether any failed.
class KeepingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      if (run.error_occurred) failed = true;
      std::string name = run.run_name.function_name;
      if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
      Kept& kept = runs_[name];
      kept.failed = run.error_occurred;
      // The time the benchmark chose: real or manual where it asks, else CPU.
      const double time = run.run_name.time_type.empty() ? run.GetAdjustedCPUTime() : run.GetAdjustedRealTime();
      kept.timeMs = time / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1000.0;
      for (const auto& [counter, value] : run.counters) kept.counters[counter] = value.value;
    }
  }
  bool Ran(const Figure& f) const { return runs_.count(f.benchmark) != 0; }
  double Value(const Figure& f) const {
    const auto run = runs_.find(f.benchmark);
    if (run == runs_.end() || run->second.failed) return NAN;
    if (f.counter.empty()) return run->second.timeMs;
    const auto counter = run->second.counters.find(f.counter);
    return counter == run->second.counters.end() ? NAN : counter->second;
  }
  bool failed = false;

 private:
  struct Kept {
    bool failed = false;
    double timeMs = 0;
    std::map<std::string, double> counters;
  };
  std::map<std::string, Kept> runs_;
};

}  // namespace

double ResidentMb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
  return 0;
}

bool Smoke() {
  const char* v = std::getenv("VT_BENCH_SMOKE");
  return v != nullptr && *v != '\0' && std::strcmp(v, "0") != 0;
}

int Repetitions(int full) { return Smoke() ? 1 : full; }

bool Compare(const std::string& figure, double value, const std::string& anchor, double anchorValue,
             const std::string& unit) {
  const char* u = unit.c_str();
  if (!Measured(value) || !Measured(anchorValue)) {
    std::printf("compare: %s beside %s: cannot measure (%g %s beside %g %s)\n", figure.c_str(), anchor.c_str(), value,
                u, anchorValue, u);
    std::fflush(stdout);
    return false;
  }
  std::printf("compare: %s %.3f %s beside %s %.3f %s (%.2fx)\n", figure.c_str(), value, u, anchor.c_str(),
              anchorValue, u, value / anchorValue);
  std::fflush(stdout);
  return true;
}

bool AddComparison(Comparison comparison) {
  Declared().push_back(std::move(comparison));
  return true;
}

int RunBenchmarks(int argc, char** argv) {
  // The smoke run's short minimum goes first, so a flag given still counts.
  std::vector<char*> args(argv, argv + argc);
  static char shortRun[] = "--benchmark_min_time=0.01";
  if (Smoke()) args.insert(args.begin() + 1, shortRun);
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);
  benchmark::Initialize(&count, args.data());
  KeepingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::fflush(stdout);
  bool ok = !reporter.failed;
  for (const Comparison& c : Declared()) {
    // A filter that left out both sides leaves out the line too.
    if (!reporter.Ran(c.figure) && !reporter.Ran(c.anchor)) continue;
    ok = Compare(c.figure.name, reporter.Value(c.figure) * c.scale, c.anchor.name, reporter.Value(c.anchor) * c.scale,
                 c.unit) &&
         ok;
  }
  return ok ? 0 : 1;
}

}  // namespace vt::bench

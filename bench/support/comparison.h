#pragma once
// Every benchmark prints the figure it is compared with beside its own, one
// line each, in one form the smoke run (scripts/bench.sh --smoke) looks for:
//   compare: <figure> <value> <unit> beside <anchor> <value> <unit> (<ratio>x)
// A figure that could not be measured prints "cannot measure" instead, and
// the benchmark ends with a failure.
#include <string>
#include <utility>
#include <vector>

namespace vt::bench {

// This process's resident memory (VmRSS), in MB; 0 when it cannot be read.
double ResidentMb();

// VT_BENCH_SMOKE set (not "0"): one short repetition of each measurement.
bool Smoke();
// `full` repetitions, or one in the smoke run.
int Repetitions(int full);

// Prints the line; false when either value is not a positive finite number.
bool Compare(const std::string& figure, double value, const std::string& anchor, double anchorValue,
             const std::string& unit);

// A figure of a Google Benchmark run: the time of one iteration in
// milliseconds (real or manual time where the benchmark asks for it, else
// CPU time), or one of the run's counters.
struct Figure {
  Figure(std::string name, std::string benchmark, std::string counter = {})
      : name(std::move(name)), benchmark(std::move(benchmark)), counter(std::move(counter)) {}
  std::string name;       // as printed
  std::string benchmark;  // the registered name, e.g. "BM_GridFullPaint" or "searchSlash24/echo"
  std::string counter;    // empty: the time of one iteration
};
// Both values are multiplied by scale before they are printed in unit.
struct Comparison {
  Comparison(Figure figure, Figure anchor, std::string unit = "ms", double scale = 1.0)
      : figure(std::move(figure)), anchor(std::move(anchor)), unit(std::move(unit)), scale(scale) {}
  Figure figure;
  Figure anchor;
  std::string unit;
  double scale;
};

// Declares a comparison printed after the runs (at namespace scope:
// `const bool added = vt::bench::AddComparison({...});`).
bool AddComparison(Comparison comparison);

// Runs the registered benchmarks (briefly in the smoke run) and prints each
// declared comparison; main's result: 1 when a run reported an error or a
// comparison could not be measured.
int RunBenchmarks(int argc, char** argv);

}  // namespace vt::bench

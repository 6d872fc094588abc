// main of a Google Benchmark program: the runs, then the comparisons.
#include "comparison.h"

int main(int argc, char** argv) { return vt::bench::RunBenchmarks(argc, argv); }

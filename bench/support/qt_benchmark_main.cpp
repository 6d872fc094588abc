// main of a Google Benchmark program with widgets: offscreen, the
// application on main's stack (one made static outlives Qt's own globals
// and crashes the exit), then the runs and the comparisons.
#include <QApplication>

#include "comparison.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return vt::bench::RunBenchmarks(argc, argv);
}

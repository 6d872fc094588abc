#pragma once
// The start as process tests and the start-up benchmark follow it, on
// standard output, only when VT_STARTUP_REPORT is set: "shown", "raised" and
// "ended" as they happen, and "step <name> <ns>" for each step of the start,
// when it ended in nanoseconds of the system's monotonic clock (the
// benchmark reads the same clock when it starts the process). The steps
// before the window is shown are printed with "shown", so a start that ends
// without a window prints nothing.
class QWidget;

namespace StartupReport {

bool Enabled();
void Line(const char* text);
void Step(const char* name);
// The steps so far, then "shown".
void Shown();
// "step painted" once the window's first paint is done.
void StepAtFirstPaint(QWidget& window);

}  // namespace StartupReport

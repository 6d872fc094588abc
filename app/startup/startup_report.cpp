#include "startup/startup_report.h"

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace StartupReport {

namespace {

struct Steps {
  std::vector<std::pair<std::string, long long>> held;
  bool shown = false;
};

Steps& steps() {
  static Steps s;
  return s;
}

void Print(const std::string& name, long long ns) { std::printf("step %s %lld\n", name.c_str(), ns); }

// Removes itself at the first paint and notes the step once that paint
// (the window's and its children's) has ended.
class FirstPaint : public QObject {
public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QMetaObject::invokeMethod(
          this, [this] { Step("painted"), deleteLater(); }, Qt::QueuedConnection);
    }
    return false;
  }
};

}  // namespace

bool Enabled() {
  static const bool enabled = qEnvironmentVariableIsSet("VT_STARTUP_REPORT");
  return enabled;
}

void Line(const char* text) {
  if (!Enabled()) return;
  std::printf("%s\n", text);
  std::fflush(stdout);
}

void Step(const char* name) {
  if (!Enabled()) return;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const long long ns = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
  if (!steps().shown) {
    steps().held.emplace_back(name, ns);
    return;
  }
  Print(name, ns);
  std::fflush(stdout);
}

void Shown() {
  if (!Enabled()) return;
  for (const auto& [name, ns] : steps().held) Print(name, ns);
  steps().held.clear();
  steps().shown = true;
  Line("shown");
}

void StepAtFirstPaint(QWidget& window) {
  if (Enabled()) window.installEventFilter(new FirstPaint(&window));
}

}  // namespace StartupReport

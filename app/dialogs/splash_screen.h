#pragma once
// CSplashScreen: shown once during start-up; a progress bar runs 150 ticks
// (about 1.5 s) and the splash closes itself. Enter and Escape do nothing.
#include <QDialog>

class QLabel;
class QProgressBar;
class ResourceLibraries;
class StaticTextsService;

class CSplashScreen : public QDialog {
  Q_OBJECT
public:
  static constexpr int kTicks = 150;
  static constexpr int kTickMs = 10;
  // texts paints the product block (else a plain label with the product name).
  CSplashScreen(const ResourceLibraries& resources, QWidget* parent = nullptr, int tickMs = kTickMs,
                StaticTextsService* texts = nullptr);

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

private:
  QProgressBar* progress_ = nullptr;  // 1002
  int timer_ = 0;
};

// Whether start-up shows the splash (VT_NO_SPLASH turns it off for tests).
bool SplashWanted();

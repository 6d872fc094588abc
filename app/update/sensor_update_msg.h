#pragma once
// CSensorUpdateMsg: the dialog that counts up while the sensor takes a new
// software image. It knows nothing of the transfer: a one-second tick moves
// the bar one step, from 6 to 100, where it stays. The reply handler closes
// it. Tests drive the ticks through OnTimer() with the own timer off.
#include <QDialog>
#include <QFont>
#include <QTimer>

class ErrorHost;
class QLabel;
class QProgressBar;

class CSensorUpdateMsg : public QDialog {
  Q_OBJECT
public:
  static constexpr int kTickMs = 1000;

  // ownTimer false: nothing moves the bar but OnTimer().
  CSensorUpdateMsg(ErrorHost& host, QWidget* parent, bool ownTimer = true);

  void OnTimer();
  // Ends the dialog (the close operation of the reply handler).
  void Close();
  int position() const;
  bool ticking() const { return ticking_; }

protected:
  void reject() override {}  // Escape does not end the transfer's dialog

private:
  QProgressBar* progress_ = nullptr;  // 1085
  QLabel* text_ = nullptr;            // 1086
  QTimer timer_;
  bool ticking_ = true;
};

#pragma once
// CDisconnectMesg: the notice shown while the program disconnects. Opening
// it marks the sensor disconnected and asks the worker to disconnect; the
// reset after the reply closes it.
#include <QDialog>

class ErrorHost;
class QLabel;

class CDisconnectMesg : public QDialog {
  Q_OBJECT
public:
  explicit CDisconnectMesg(ErrorHost& host, QWidget* parent);
  // Texts, place, the state change and the disconnect command.
  void OnInitDialog();
  void Close();

private:
  ErrorHost& host_;
  QLabel* text_ = nullptr;  // 1039
};

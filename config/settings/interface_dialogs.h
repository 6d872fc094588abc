#pragma once
// The two small interface dialogs of the process-interface page: the TCP/IP
// port and the serial line (baud rate, stop bits, parity).
#include <QDialog>

class CGlobalSensorSettings;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CGlobalTCPIPSettings : public QDialog {
  Q_OBJECT
public:
  CGlobalTCPIPSettings(CGlobalSensorSettings& settings, QWidget* parent);
  void OnInitDialog();
  // The port check on leaving the edit; false after -14213.
  bool CheckPort();
  void accept() override;  // OK 1226
  void OnEscape();
  void setClosing() { closing_ = true; }
  QLineEdit* portEdit() const { return port_; }

protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void done(int result) override;

private:
  void RefusePort();

  CGlobalSensorSettings& settings_;
  QLineEdit* port_ = nullptr;  // 1028
  QLabel* label_ = nullptr;    // 1121
  QPushButton* escape_ = nullptr;  // 1225
  QPushButton* ok_ = nullptr;      // 1226
  QString opening_;
  bool closing_ = false;
};

class CGlobalSerialSettings : public QDialog {
  Q_OBJECT
public:
  CGlobalSerialSettings(CGlobalSensorSettings& settings, QWidget* parent);
  void OnInitDialog();
  void accept() override;  // OK 1226: stores and ends

  QComboBox* baudRates() const { return baud_; }
  QComboBox* stopBits() const { return stop_; }
  QComboBox* parity() const { return parity_; }

private:
  CGlobalSensorSettings& settings_;
  QComboBox* stop_ = nullptr;    // 1172
  QComboBox* parity_ = nullptr;  // 1173
  QComboBox* baud_ = nullptr;    // 1167
  QLabel* labels_[4] = {};       // 1119, 1120, 1131, 1122
  QPushButton* escape_ = nullptr;  // 1225
  QPushButton* ok_ = nullptr;      // 1226
};

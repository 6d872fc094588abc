#pragma once
// CGlobalProcessSettings: tab 1 of the global settings: the process
// interface (TCP/IP, serial line, EtherNet/IP), the protocol version and the
// connect message; "Extended settings" opens the chosen interface's dialog.
#include <QWidget>

class CGlobalSensorSettings;
class CGlobalTCPIPSettings;
class CGlobalSerialSettings;
class CGlobalEthernetSettings;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class CGlobalProcessSettings : public QWidget {
  Q_OBJECT
public:
  CGlobalProcessSettings(CGlobalSensorSettings& dialog, QWidget* parent);
  ~CGlobalProcessSettings() override;

  void LoadLanguageTexts();
  void FillFromSensorGlobals();
  void Store();
  void EnableConnectMessage(bool enable);
  void EnableControls(bool enable);
  void CloseInterfaceDialogs();
  // Opens the dialog of the selected interface type modally.
  void OnExtendedSettings();

  QComboBox* interfaceType() const { return type_; }
  QComboBox* protocolVersion() const { return version_; }
  QCheckBox* connectMessage() const { return connect_; }
  CGlobalTCPIPSettings* tcpip() const { return tcpip_; }
  CGlobalSerialSettings* serial() const { return serial_; }
  CGlobalEthernetSettings* ethernet() const { return ethernet_; }

private:
  void OnSelChange();

  CGlobalSensorSettings& dialog_;
  QCheckBox* connect_ = nullptr;  // 1218
  QComboBox* version_ = nullptr;  // 1217
  QComboBox* type_ = nullptr;     // 1216
  QPushButton* extended_ = nullptr;  // 1219
  QLabel* typeLabel_ = nullptr;      // 1220
  QLabel* versionLabel_ = nullptr;   // 1221
  CGlobalTCPIPSettings* tcpip_ = nullptr;
  CGlobalSerialSettings* serial_ = nullptr;
  CGlobalEthernetSettings* ethernet_ = nullptr;
};

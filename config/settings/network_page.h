#pragma once
// CGlobalNetworkSettings: tab 2 of the global settings: DHCP, the sensor's
// address, mask and gateway as twelve octet fields, the XML-RPC and video
// ports and the MAC address (read-only). Each field is checked when the focus
// moves on; a refused field shows red or gets its last value back. The DHCP
// buttons write the settings at once.
#include <QWidget>
#include <array>

#include "settings/network_rules.h"

class CGlobalSensorSettings;
class QLabel;
class QLineEdit;
class QRadioButton;

class CGlobalNetworkSettings : public QWidget {
  Q_OBJECT
public:
  static constexpr int kIpIds[4] = {1201, 1202, 1203, 1030};
  static constexpr int kMaskIds[4] = {1035, 1036, 1037, 1040};
  static constexpr int kGatewayIds[4] = {1049, 1050, 1051, 1052};
  static constexpr int kXmlPortId = 1053;
  static constexpr int kVideoPortId = 1054;
  static constexpr int kMacId = 1055;

  CGlobalNetworkSettings(CGlobalSensorSettings& dialog, QWidget* parent);

  void LoadLanguageTexts();
  void EnableAddressFields(bool enable);
  void EnableControls(bool enable);
  void FillFromSensorGlobals();
  // 0, or -1 when the two ports are equal.
  int Store();
  // Every field check but the one of except (-1: none); false at the first failure.
  bool ValidateFields(int except);
  bool ValidateAddresses();
  void OnDhcpOn();
  void OnDhcpOff();

  bool errorMark() const { return errorMark_; }
  void clearErrorMark() { errorMark_ = false; }
  int badFieldId() const { return badField_; }
  QLineEdit* field(int id) const;
  QRadioButton* dhcpOn() const { return dhcpOn_; }
  QRadioButton* dhcpOff() const { return dhcpOff_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  bool CheckOctet(int id);
  bool CheckPort(int id);
  bool Refuse(int id, int code, const QString& restore, int selection);
  void SetBadField(int id);
  void DhcpClicked(bool on);
  void ButtonsToStored();
  NetworkFields Fields() const;
  QString& LastAccepted(int id);

  CGlobalSensorSettings& dialog_;
  bool errorMark_ = false;
  std::array<QLineEdit*, 12> octets_{};  // IP 1-4, mask 1-4, gateway 1-4
  QLineEdit* xmlPort_ = nullptr;
  QLineEdit* videoPort_ = nullptr;
  QLineEdit* mac_ = nullptr;
  QRadioButton* dhcpOn_ = nullptr;   // 1056
  QRadioButton* dhcpOff_ = nullptr;  // 1057
  std::array<QLabel*, 7> labels_{};  // 1084, 1125, 1126, 1127, 1128, 1223, 1130
  QString shownXmlPort_;
  QString shownVideoPort_;
  int badField_ = 0;
  std::array<QString, 12> acceptedOctets_;
  bool skipNextCheck_ = true;
  bool showingError_ = false;
};

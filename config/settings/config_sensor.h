#pragma once
// CConfigSensor: the page shown when the sensor itself is selected: its
// name, location and software version; Assign writes name and location to
// the sensor, "Global sensor settings..." reads the settings and opens their
// dialog, "Save bookmark data" stores the connection.
#include <QWidget>

#include "services/sensor_settings_services.h"
#include "settings/mac_to_address.h"

class QLabel;
class QLineEdit;
class QPushButton;

class CConfigSensor : public QWidget, public SensorPanelService {
  Q_OBJECT
public:
  CConfigSensor();

  // Panel
  QWidget* widget() override { return this; }
  void ReloadTexts() override { LoadLanguageTexts(); }
  // SensorPanelService
  void Attach(CVarnisDatamatrixDlg& dlg) override { dlg_ = &dlg; }
  void FillFromSensorGlobals() override;
  void OnWriteReply(int status) override;

  void LoadLanguageTexts();
  // Name and location into the record (encoded) and the tree's root text.
  void Store();
  // 1 when name and location pass, else 0 after the message.
  int ValidateNames();
  void OnAssign();
  void OnGlobalSettings();
  void OnSaveBookmark();
  void OnHelp();

  // The adapters and the lookup a DHCP bookmark asks (tests hand in their own).
  void setAdapters(std::function<std::vector<LocalAdapter>()> adapters) { adapters_ = std::move(adapters); }
  void setMacLookup(MacLookup lookup) { lookup_ = std::move(lookup); }

  QLineEdit* nameEdit() const { return name_; }
  QLineEdit* locationEdit() const { return location_; }
  QLineEdit* versionEdit() const { return version_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  bool HasForbiddenChar(QLineEdit* edit);
  QString StoredName() const;

  CVarnisDatamatrixDlg* dlg_ = nullptr;
  bool error_ = false;
  QLineEdit* name_ = nullptr;      // 1027
  QLineEdit* location_ = nullptr;  // 1028
  QLineEdit* version_ = nullptr;   // 1029
  QLabel* labels_[3] = {};         // 1031, 1032, 1033
  QPushButton* assign_ = nullptr;  // 1034
  QPushButton* global_ = nullptr;  // 1030
  QPushButton* bookmark_ = nullptr;  // 1035
  QPushButton* help_ = nullptr;      // 1036
  QString pendingName_;  // an Assign on its way: stored once the sensor took it
  QString pendingLocation_;
  bool assignPending_ = false;
  std::function<std::vector<LocalAdapter>()> adapters_ = LocalAdapters;
  MacLookup lookup_ = MAC2IPA;
};

#pragma once
// CConnectNetscan: the network scan dialog. The user lists scan zones, the
// discovery library sweeps them on its own thread and posts each sensor it
// finds; the dialog lists the sensors this program serves and connects to
// one or saves them as connections. Every way out stops the sweep first.
#include <QDialog>
#include <array>
#include <memory>
#include <vector>

#include "controls/grid_types.h"
#include "platform/window_target.h"
#include "sonvira/sensor_discovery_record.h"

class CBookmark;
class CGridCtrl;
class CVarnisDatamatrixDlg;
class QLineEdit;
class QListWidget;
class QPushButton;
class QGroupBox;
class QLabel;
struct SavedConnection;

class CConnectNetscan : public QDialog {
  Q_OBJECT
public:
  static constexpr int kSensorFound = 4900;  // SCAN_SENSOR_FOUND
  static constexpr int kScanFinished = 4901;  // SCAN_FINISHED

  CConnectNetscan(CVarnisDatamatrixDlg& dlg, CBookmark& bookmarks, QWidget* parent = nullptr);
  ~CConnectNetscan() override;

  // Prepares the dialog for a run (the opening of the dialog).
  void OnInitDialog();
  void ReloadTexts();

  void OnAddZone();
  void OnDeleteZone();
  void OnStartSearch();
  void OnConnect();
  void OnButtonSave();
  void OnButtonSaveall();
  void OnClose();
  void OnEscape();
  // The reset closes the dialog as cancelled.
  void CloseForReset();

  bool scanning() const { return m_bScanning; }
  bool sweepRunning() const { return sweepRunning_; }
  int foundCount() const { return int(m_foundSensors.size()); }
  CGridCtrl* grid() const { return grid_; }
  QListWidget* zoneList() const { return zones_; }
  QLineEdit* octet(int index) const { return octets_[std::size_t(index)]; }  // 0..3 network, 4..7 mask

  void done(int result) override;
  void reject() override;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void CreateControls();
  void SetupGrid();
  void EnableControls(bool scanningState);
  void RegisterZones();
  void RemoveZone(int line);
  bool IsValidMask(const std::array<int, 4>& mask, const std::array<QString, 4>& texts) const;
  void OnOctetChanged();
  bool CheckOctetField(int index);
  void OnScanMessage(int event, const SensorDiscoveryRecord* record);
  void StoreFoundSensor(const SensorDiscoveryRecord& record);
  void ShowNewestSensor();
  void OnGridNotify(const GridNotifyRecord& n);
  // Stops a running sweep; nothing of it arrives afterwards.
  void StopSweep();
  // The saved connection for one found row; DHCP sensors looked up in the zones.
  SavedConnection ConnectionOfRow(const GridRowRecord& row);
  void SetBusy(bool busy);
  void OnHelp();
  void Leave(int result);
  static void PostFromLibrary(void* context, unsigned message, uintptr_t wParam, intptr_t lParam,
                              VtPayloadDeleter deleter);

  CVarnisDatamatrixDlg& dlg_;
  CBookmark& bookmarks_;
  std::array<QLineEdit*, 8> octets_{};  // 1174..1177 network, 1178..1181 mask
  std::array<QString, 8> m_strSavedOctets;
  QPushButton* add_ = nullptr;       // 1070
  QPushButton* delete_ = nullptr;    // 1071
  QPushButton* start_ = nullptr;     // 1072
  QPushButton* connect_ = nullptr;   // 1015
  QPushButton* save_ = nullptr;      // 1016
  QPushButton* saveAll_ = nullptr;   // 1017
  QPushButton* escape_ = nullptr;    // 2
  QPushButton* help_ = nullptr;      // 1069
  QPushButton* close_ = nullptr;     // 1
  QListWidget* zones_ = nullptr;     // 1008
  QGroupBox* zoneGroup_ = nullptr;   // 1138
  QGroupBox* foundGroup_ = nullptr;  // 1140
  QLabel* networkLabel_ = nullptr;   // 1139
  QLabel* maskLabel_ = nullptr;      // 1126
  CGridCtrl* grid_ = nullptr;        // 1172
  // Found sensors of the served type, in the order found (no fixed bound).
  std::vector<SensorDiscoveryRecord> m_foundSensors;
  bool m_bScanning = false;
  bool m_bSkipFieldChecks = false;
  bool sweepRunning_ = false;
  bool sweepHoldsBusy_ = false;  // the busy flag is the sweep's until it ends
  bool checking_ = false;
  // The library posts to the running sweep's target; a stopped sweep's target
  // is closed, and what it queued before is dropped by its number.
  struct SweepTarget;
  std::unique_ptr<SweepTarget> sweep_;
  int sweepId_ = 0;
};

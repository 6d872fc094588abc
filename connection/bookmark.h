#pragma once
// CBookmark: the connection panel. The user types an address (four octets and
// a port) or picks a saved connection in the grid (four rows each), connects,
// deletes a saved connection, or opens the network scan.
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "controls/grid_types.h"
#include "services/connection_services.h"

class CConnectNetscan;
class CGridCtrl;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

class CBookmark : public QWidget, public ConnectionPanelService {
  Q_OBJECT
public:
  CBookmark();
  ~CBookmark() override;

  // Panel
  QWidget* widget() override { return this; }
  void ReloadTexts() override;
  // ConnectionPanelService
  void Attach(CVarnisDatamatrixDlg& dlg) override;
  void OnSettingsLoaded() override;
  void ConnectSelected() override { OnConnect(); }
  std::array<QString, 4> octetTexts() const override;
  QString portText() const override;
  QWidget* firstOctet() override;
  int SaveConnection(const SavedConnection& c) override;
  void RefreshList() override;
  void CloseScanDialog() override;
  void OnConnectEnded() override;

  // The connect: typed octets, else the scan dialog's entry, else the selected saved connection.
  void OnConnect();
  void OnClose();
  void OnFindSensors();
  // Deletes the saved connection whose rows hold the selection (after question 6011).
  void DeleteSelectedConnection();
  // The scan dialog hands over the row to connect to (columns as its grid shows them).
  void SetScanEntry(const GridRowRecord& entry) { scanEntry_ = entry; }
  void ClearOctets();

  // The saved connection whose rows hold the grid's selection, or null.
  const SavedConnection* SelectedConnection() const;
  // The address to connect to for the selected saved connection; a DHCP one is
  // looked up by its MAC in its stored network. Empty (after a message) when none.
  QString SelectedConnectionAddress();
  int SelectedConnectionPort() const;  // 0: none stored
  // Selects the name row of the named connection; false when it is not listed.
  bool SelectConnection(const QString& name);

  CGridCtrl* grid() const { return grid_; }
  CConnectNetscan* scanDialog() const { return scan_.get(); }
  CVarnisDatamatrixDlg* window() const { return dlg_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void CreateControls();
  // The reset: the scan dialog closed, the octets emptied.
  void OnReset();
  void UpdateConnectButton();
  void SetupGrid();
  void AddConnectionRows(const SavedConnection& c);
  void OnOctetChanged(int index);
  void MoveToOctet(int index, bool automatic);
  bool OnOctetKey(QLineEdit* octet, QKeyEvent* key);
  void OnPortChanged();
  void OnGridNotify(const GridNotifyRecord& n);
  // The main window's connect command and menu entry, as the panel's state allows.
  void SetConnectCommand(bool enabled);
  bool CheckAddressAndPort();
  void RefuseOctet(int index, int code);
  void RefusePort();
  bool Busy() const;

  CVarnisDatamatrixDlg* dlg_ = nullptr;
  std::array<QLineEdit*, 4> octets_{};
  QLineEdit* port_ = nullptr;
  QLabel* addressLabel_ = nullptr;  // 1107
  QLabel* portLabel_ = nullptr;     // 1108
  QPushButton* find_ = nullptr;     // 1014
  QPushButton* connect_ = nullptr;  // 1015
  QPushButton* delete_ = nullptr;   // 1173
  QPushButton* help_ = nullptr;     // 1196
  QPushButton* close_ = nullptr;    // 1016
  CGridCtrl* grid_ = nullptr;       // 1025
  std::unique_ptr<CConnectNetscan> scan_;
  // The listed connections in grid order: connection i has rows 4i+1..4i+4.
  std::vector<SavedConnection> listed_;
  SavedConnection current_;
  GridRowRecord scanEntry_;
  bool bookmarkAddress_ = false;  // the last address came from a saved connection
  QLineEdit* autoMovedTo_ = nullptr;  // the octet three digits moved the focus to
  bool settingPort_ = false;
  bool settingsLoaded_ = false;
};

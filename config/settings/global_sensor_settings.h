#pragma once
// CGlobalSensorSettings: the modal dialog over the sensor's global settings,
// with the general, process-interface and network pages on owner-drawn tabs.
// Opened by the reply to the read of the settings; OK checks, stores and
// writes them; the write's reply closes it or, after a DHCP click, keeps it
// open. Cancelling puts the record back as last read or written.
#include <QDialog>

#include "controls/paged_tab_ctrl.h"
#include "dravik/parameter_list.h"

class CVarnisDatamatrixDlg;
class CGlobalSettings;
class CGlobalProcessSettings;
class CGlobalNetworkSettings;
class CGlobalSensorSettings;
class QPushButton;

// Tab changes run the network check first and are taken back while busy.
class CGlobalSettgTabctrl : public CPagedTabCtrl {
  Q_OBJECT
public:
  explicit CGlobalSettgTabctrl(CGlobalSensorSettings& dialog);

protected:
  void tabChangedByUser(int newTab) override;

private:
  CGlobalSensorSettings& dialog_;
};

class CGlobalSensorSettings : public QDialog {
  Q_OBJECT
public:
  static constexpr int kEscapeId = 1027;
  static constexpr int kHelpTopicString = 420;

  CGlobalSensorSettings(CVarnisDatamatrixDlg& dlg, QWidget* parent = nullptr);
  ~CGlobalSensorSettings() override;

  // Makes and fills the pages, then runs the dialog through the prompt.
  int Run();
  void OnInitDialog();
  void LoadLanguageTexts();
  void EnablePages(bool enable);
  void EnableButtons(bool enable);
  // After the write: ends the dialog (and an interface dialog open on it).
  void ForceClose();
  void FreePages();
  // 0, or -1 (message 6028 for two equal ports, nothing for a port out of range).
  int CheckPorts();
  int StoreAndSend();
  // Packs the record and posts the write; the list as it was is kept for a failure.
  void SendGlobals();
  // The reply to the write: status 0 or the library's error (shown by the caller).
  void OnWriteReply(int status);

  void OnOKClicked();
  void OnEscape();
  void OnHelp();

  CVarnisDatamatrixDlg& window() { return dlg_; }
  bool closing() const { return closing_; }
  void setClosing() { closing_ = true; }
  bool stayOpen() const { return stayOpen_; }
  void setStayOpen(bool on) { stayOpen_ = on; }
  // The focus is on the Escape button: the pages' focus-loss checks stand aside.
  bool escapeHasFocus() const;
  CGlobalSettgTabctrl* tabs() const { return tabs_; }
  CGlobalSettings* generalPage() const { return general_; }
  CGlobalProcessSettings* processPage() const { return process_; }
  CGlobalNetworkSettings* networkPage() const { return network_; }

protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // The record as last read or written (after Escape, a decline or a failed write).
  void RestoreRecord();

  CVarnisDatamatrixDlg& dlg_;
  CGlobalSettgTabctrl* tabs_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* escape_ = nullptr;
  QPushButton* help_ = nullptr;
  bool closing_ = false;
  bool stayOpen_ = false;
  bool forceClosing_ = false;
  CGlobalSettings* general_ = nullptr;  // the pages live while the dialog is open
  CGlobalProcessSettings* process_ = nullptr;
  CGlobalNetworkSettings* network_ = nullptr;
  ParameterList listBeforeWrite_;
  bool writePending_ = false;
};

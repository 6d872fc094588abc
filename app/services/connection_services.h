#pragma once
// The connection panel as the main window sees it: the page with the typed
// address, the saved connections and the network scan (connection/).
#include <QString>
#include <array>

#include "services/panel.h"
#include "settings/saved_connection.h"

class CVarnisDatamatrixDlg;
class QWidget;

class ConnectionPanelService : public Panel {
public:
  // Binds the panel to the window's state, texts, prompt and settings; called
  // once before the settings are loaded.
  virtual void Attach(CVarnisDatamatrixDlg& dlg) = 0;
  // After the start-up load: lists the saved connections and selects the last one's row.
  virtual void OnSettingsLoaded() = 0;
  // The connect button found no address: connect the selected saved connection.
  virtual void ConnectSelected() = 0;
  // The octet fields 1009..1012 and the port field 1013 as typed.
  virtual std::array<QString, 4> octetTexts() const = 0;
  virtual QString portText() const = 0;
  virtual QWidget* firstOctet() = 0;
  // Stores a connection (questions when it replaces one); 0 saved, -1 not.
  virtual int SaveConnection(const SavedConnection& c) = 0;
  virtual void RefreshList() = 0;
  // The reset closes an open scan dialog (its sweep stops).
  virtual void CloseScanDialog() = 0;
  // The connect's reply came, whatever it said: the panel's Connect follows its fields again.
  virtual void OnConnectEnded() = 0;
};

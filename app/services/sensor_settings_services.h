#pragma once
// The global sensor settings dialog and the sensor page (config/settings) as
// the main window and its reply handler see them.
#include "services/panel.h"

class CVarnisDatamatrixDlg;

// The global sensor settings dialog (CGlobalSensorSettings).
class SensorSettingsService {
public:
  virtual ~SensorSettingsService() = default;
  // Binds the dialog to the window; called once after the window is made.
  virtual void Attach(CVarnisDatamatrixDlg& /*dlg*/) {}
  // The settings were read (CMD_GET_SENSOR_GLOBALS succeeded): fill the
  // record from the list and run the dialog.
  virtual void OnGlobalsRead() {}
  // The reply to CMD_SET_SENSOR_GLOBALS (0 or the error, which the caller shows).
  virtual void OnWriteReply(int /*status*/) {}
  virtual void EnablePages(bool on) = 0;
  virtual void EnableButtons(bool on) = 0;
  virtual void ForceClose() = 0;
};

// The sensor page (CConfigSensor): name, location, version, Assign, the
// global settings and the bookmark of the connection.
class SensorPanelService : public Panel {
public:
  virtual void Attach(CVarnisDatamatrixDlg& /*dlg*/) {}
  virtual void FillFromSensorGlobals() = 0;
  // The reply to CMD_SET_SENSOR_GLOBALS when the page's Assign sent it.
  virtual void OnWriteReply(int /*status*/) {}
};

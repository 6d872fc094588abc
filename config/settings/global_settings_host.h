#pragma once
// The main window's handle on the global sensor settings dialog: it makes the
// dialog once the window exists and runs it after each read of the settings.
#include <QPointer>

#include "services/sensor_settings_services.h"
#include "settings/global_sensor_settings.h"

class CGlobalSettingsHost : public SensorSettingsService {
public:
  void Attach(CVarnisDatamatrixDlg& dlg) override;
  void OnGlobalsRead() override;
  void OnWriteReply(int status) override;
  void EnablePages(bool on) override;
  void EnableButtons(bool on) override;
  void ForceClose() override;

  // Null before Attach (the window owns the dialog).
  CGlobalSensorSettings* dialog() const { return dialog_; }

private:
  QPointer<CGlobalSensorSettings> dialog_;
};

// The shared records name a member "slots": they come before any Qt header.
#include "core/main_dialog_state.h"

#include "settings/global_settings_host.h"

#include <QTimer>

#include "settings/globals_io.h"
#include "window/main_window.h"

void CGlobalSettingsHost::Attach(CVarnisDatamatrixDlg& dlg) { dialog_ = new CGlobalSensorSettings(dlg, &dlg); }

void CGlobalSettingsHost::OnGlobalsRead() {
  if (!dialog_) return;
  ReadGlobalRecords(dialog_->window().state());
  // After the reply's handling has ended: the dialog's loop is not nested in it.
  QTimer::singleShot(0, dialog_, [d = dialog_] {
    if (d && !d->isVisible()) d->Run();
  });
}

void CGlobalSettingsHost::OnWriteReply(int status) {
  if (dialog_) dialog_->OnWriteReply(status);
}

void CGlobalSettingsHost::EnablePages(bool on) {
  if (dialog_) dialog_->EnablePages(on);
}

void CGlobalSettingsHost::EnableButtons(bool on) {
  if (dialog_) dialog_->EnableButtons(on);
}

void CGlobalSettingsHost::ForceClose() {
  if (dialog_) dialog_->ForceClose();
}

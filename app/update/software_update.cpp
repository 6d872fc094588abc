#include "update/software_update.h"

#include <QFileInfo>
#include <QMessageBox>

#include "brimsol/brimsol.h"
#include "core/sensor_command.h"
#include "core/update_result_text.h"
#include "errors/error_host.h"
#include "services/prompt.h"
#include "update/sensor_update_msg.h"

namespace {
constexpr int kConnectionLostDuringUpdate = 6050;
}  // namespace

CSoftwareUpdate::CSoftwareUpdate(ErrorHost& host) : host_(host) {}
CSoftwareUpdate::~CSoftwareUpdate() = default;

void CSoftwareUpdate::OnUpdateSoftware() {
  MainDialogState& s = host_.state();
  if (s.m_bBusy) return;
  QString path;
  for (;;) {
    path = host_.prompt().openFileName(host_.mainWindow(), host_.text(6045), QString(), host_.text(6046));
    if (path.isEmpty()) return;
    if (QFileInfo::exists(path)) break;
    host_.prompt().message(host_.messageOwner(), host_.text(6052), host_.messageTitle(), QMessageBox::Information);
  }
  const std::u16string wide = path.toStdU16String();
  const int named = Brimsol_setfilenameW(wide.c_str());
  if (named != 0) {
    // The library's reason, rather than a command that ends without a word.
    host_.prompt().message(host_.messageOwner(), QString::fromStdString(UpdateStatusText(named)),
                           host_.messageTitle(), QMessageBox::Critical);
    return;
  }
  const auto answer = host_.prompt().message(host_.messageOwner(), host_.text(6044), host_.messageTitle(),
                                             QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No);
  if (answer != QMessageBox::Yes) return;
  s.m_bUpdatePending = 1;
  s.m_bBusy = 1;
  host_.PostSensorCommand(CMD_DISCONNECT);
}

bool CSoftwareUpdate::OnDisconnectReply(bool failed) {
  MainDialogState& s = host_.state();
  if (!s.m_bUpdatePending) return false;
  if (failed) {
    s.m_bUpdatePending = 0;
    return false;
  }
  host_.PostSensorCommand(CMD_UPDATE_SOFTWARE);
  progress_ = std::make_unique<CSensorUpdateMsg>(host_, host_.mainWindow(), ownTimer_);
  host_.prompt().runDialog(*progress_);
  return true;
}

void CSoftwareUpdate::CloseProgress() {
  if (progress_) progress_->Close();
}

void CSoftwareUpdate::OnUpdateReply(int status, bool success, bool connectionLost) {
  if (success) {
    CloseProgress();
    host_.prompt().message(host_.messageOwner(), host_.text(6048), host_.messageTitle(),
                           QMessageBox::Information);
  } else {
    const std::u16string text =
        UpdateFailureText(status, host_.text(6049).toStdU16String(), host_.text(6051).toStdU16String(),
                          connectionLost ? host_.text(kConnectionLostDuringUpdate).toStdU16String() : u"");
    const auto answer = host_.prompt().message(host_.messageOwner(), QString::fromStdU16String(text),
                                               host_.messageTitle(), QMessageBox::Critical);
    if (answer == QMessageBox::Ok) CloseProgress();
  }
  host_.state().m_bUpdatePending = 0;
  host_.ResetUserInterface();
}

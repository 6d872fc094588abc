#include "errors/error_msgs.h"

#include "core/error_codes.h"
#include "errors/error_host.h"
#include "services/prompt.h"

using namespace ErrorCodes;

void CErrorMsgs::ShowConnectionLost() {
  if (m_bBoxOpen) return;
  m_bBoxOpen = true;
  host_.prompt().message(host_.mainWindow(), host_.text(kConnectionLostText), host_.messageTitle(),
                         QMessageBox::Warning, QMessageBox::Ok);
  m_bBoxOpen = false;
  if (host_.state().m_bConnected) host_.ResetUserInterface();
}

void CErrorMsgs::ShowError(int code) {
  code = Normalise(code);
  if (code == kConnectionLost) {
    ShowConnectionLost();
    return;
  }
  if (IsSilent(code)) return;
  Show(code, [this](int id) { return host_.text(id).toStdString(); });
}

void CErrorMsgs::ShowConnectNotAccepted(int sensorStatus) {
  Show(kConnectNotAccepted, [this, sensorStatus](int id) {
    QString text = host_.text(id);
    if (id == TextId(kConnectNotAccepted)) text = text.arg(sensorStatus);
    return text.toStdString();
  });
}

void CErrorMsgs::Show(int code, const std::function<std::string(int)>& textOf) {
  const Severity severity = SeverityOf(code);
  const auto message = BuildMessage(code, textOf);
  if (!message) return;
  const QString text = QString::fromStdString(*message);

  if (severity == Severity::Information || severity == Severity::Warning) {
    if (m_bBoxOpen) return;
    host_.state().m_bErrorShown = 1;
    host_.prompt().message(host_.messageOwner(), text, host_.messageTitle(),
                           severity == Severity::Information ? QMessageBox::Information : QMessageBox::Warning);
    if (code == kConnectFailedShown) host_.ClearStatusPart(7);
    return;
  }

  if (m_bBoxOpen) return;
  m_bBoxOpen = true;
  host_.prompt().message(host_.frontWindow(), text, host_.messageTitle(), QMessageBox::Critical);
  if (code == kDisplayLost) {
    // The program cannot go on without its picture; the box counts as open until the end.
    host_.EndProgram();
    return;
  }
  m_bBoxOpen = false;
  const bool connected = host_.state().m_bConnected;
  if (severity == Severity::ConnectionError) {
    if (connected) host_.ResetUserInterface();
    return;
  }
  if (code == kConnectionLostIdle || !connected) {
    host_.ResetUserInterface();
    return;
  }
  // An error about a file here says nothing about the sensor: stay connected.
  if (IsLocalFileError(code)) return;
  host_.ShowDisconnectNotice();
}

#pragma once
// The software update of the main window: menu 57610 picks the image file
// and asks; on Yes the window disconnects, the worker sends the image
// through libbrimsol while CSensorUpdateMsg counts up, and the result is
// shown before the window is reset to disconnected.
#include <QString>
#include <functional>
#include <memory>

class ErrorHost;
class CSensorUpdateMsg;

class CSoftwareUpdate {
public:
  explicit CSoftwareUpdate(ErrorHost& host);
  ~CSoftwareUpdate();

  // Menu 57610.
  void OnUpdateSoftware();
  // The reply to CMD_DISCONNECT. True when it started the update (the
  // caller then posts nothing else); a failed disconnect drops the pending
  // update, so a later disconnect is a plain one.
  bool OnDisconnectReply(bool failed);
  // The reply to CMD_UPDATE_SOFTWARE; success as the reply handler counts
  // it; connectionLost: the image got no answer.
  void OnUpdateReply(int status, bool success, bool connectionLost);

  // The progress dialog while the update runs (null otherwise).
  CSensorUpdateMsg* progress() const { return progress_.get(); }
  // Tests: the dialog's own timer off, the ticks driven by hand.
  void setOwnTimer(bool on) { ownTimer_ = on; }

private:
  void CloseProgress();

  ErrorHost& host_;
  std::unique_ptr<CSensorUpdateMsg> progress_;
  bool ownTimer_ = true;
};

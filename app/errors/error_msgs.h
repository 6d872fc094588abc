#pragma once
// CErrorMsgs: the one place that shows a failure code to the user, and
// what follows the box (nothing, a reset, the disconnect notice, the end).
class ErrorHost;

class CErrorMsgs {
public:
  explicit CErrorMsgs(ErrorHost& host) : host_(host) {}
  virtual ~CErrorMsgs() = default;

  void ShowError(int code);
  // A connection-lost, error or connection-error box is open.
  bool boxOpen() const { return m_bBoxOpen; }

private:
  void ShowConnectionLost();
  ErrorHost& host_;
  bool m_bBoxOpen = false;
};

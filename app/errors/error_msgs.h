#pragma once
// CErrorMsgs: the one place that shows a failure code to the user, and
// what follows the box (nothing, a reset, the disconnect notice, the end).
#include <functional>
#include <string>

class ErrorHost;

class CErrorMsgs {
public:
  explicit CErrorMsgs(ErrorHost& host) : host_(host) {}
  virtual ~CErrorMsgs() = default;

  void ShowError(int code);
  // A connect the sensor ended with a status above 0 (other than 11): the
  // warning kConnectNotAccepted naming that status (the code table shows
  // nothing for positive codes, and the connect would end without a word).
  void ShowConnectNotAccepted(int sensorStatus);
  // A connection-lost, error or connection-error box is open.
  bool boxOpen() const { return m_bBoxOpen; }

private:
  void ShowConnectionLost();
  void Show(int code, const std::function<std::string(int)>& text);
  ErrorHost& host_;
  bool m_bBoxOpen = false;
};

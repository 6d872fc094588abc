#pragma once
// A plain address entry in the panel area until the connection panel with
// its saved connections exists: the four octet fields 1009..1012 (the
// connection panel's ids), the XML-RPC port and a connect button.
#include <QWidget>
#include <array>
#include <string>

class QLineEdit;
class QPushButton;

class AddressEntry : public QWidget {
  Q_OBJECT
public:
  explicit AddressEntry(QWidget* parent);
  // The address as typed, each octet in decimal; empty unless all four are filled.
  std::u16string address() const;
  int port() const;  // 8080 when the field is empty or not a number
  void clear();
  QLineEdit* firstOctet() const { return octets_[0]; }
  QPushButton* connectButton() const { return connect_; }
  void setTexts(const QString& portLabel, const QString& connectText);

private:
  std::array<QLineEdit*, 4> octets_{};
  QLineEdit* port_ = nullptr;
  QPushButton* connect_ = nullptr;
  class QLabel* portLabel_ = nullptr;
};

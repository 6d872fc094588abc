#include "window/address_entry.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/join_address.h"

AddressEntry::AddressEntry(QWidget* parent) : QWidget(parent) {
  setObjectName("addressEntry");
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  for (std::size_t i = 0; i < octets_.size(); ++i) {
    auto* octet = new QLineEdit(this);
    octet->setObjectName(QStringLiteral("id%1").arg(1009 + int(i)));
    octet->setMaxLength(3);
    octet->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), octet));
    octet->setFixedWidth(44);
    row->addWidget(octet);
    octets_[i] = octet;
  }
  row->addStretch();
  layout->addLayout(row);
  auto* portRow = new QHBoxLayout;
  portLabel_ = new QLabel(this);
  port_ = new QLineEdit(this);
  port_->setObjectName("addressPort");
  port_->setValidator(new QIntValidator(1, 65535, port_));
  port_->setPlaceholderText("8080");
  port_->setFixedWidth(70);
  portRow->addWidget(portLabel_);
  portRow->addWidget(port_);
  portRow->addStretch();
  layout->addLayout(portRow);
  connect_ = new QPushButton(this);
  connect_->setObjectName("addressConnect");
  layout->addWidget(connect_, 0, Qt::AlignLeft);
  layout->addStretch();
}

void AddressEntry::setTexts(const QString& portLabel, const QString& connectText) {
  portLabel_->setText(portLabel);
  connect_->setText(connectText);
}

std::u16string AddressEntry::address() const {
  std::array<std::u16string, 4> texts;
  for (std::size_t i = 0; i < octets_.size(); ++i) {
    texts[i] = octets_[i]->text().trimmed().toStdU16String();
    if (texts[i].empty()) return {};
  }
  return JoinAddress(texts);
}

int AddressEntry::port() const {
  bool ok = false;
  const int p = port_->text().toInt(&ok);
  return ok && p > 0 ? p : 8080;
}

void AddressEntry::clear() {
  for (QLineEdit* o : octets_) o->clear();
}

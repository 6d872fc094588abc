#include "connection/mac_lookup.h"

#include <QApplication>
#include <QCursor>

#include "core/config_mngt.h"

int LookUpByMac(const QString& mac, const QString& ip, const QString& mask, QString& outIp, QString& outMask) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  std::u16string foundIp, foundMask;
  const int result =
      CConfigMngt::MAC2IP(mac.toStdU16String(), ip.toStdU16String(), mask.toStdU16String(), foundIp, foundMask);
  QApplication::restoreOverrideCursor();
  outIp = QString::fromStdU16String(foundIp);
  outMask = QString::fromStdU16String(foundMask);
  return result;
}

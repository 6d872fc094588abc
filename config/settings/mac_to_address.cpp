#include "settings/mac_to_address.h"

#include <QNetworkInterface>

#include "core/config_mngt.h"

namespace {
constexpr int kFound = 99;
constexpr int kNotFound = 100;
}  // namespace

std::vector<LocalAdapter> LocalAdapters() {
  std::vector<LocalAdapter> out;
  for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
    if (!(i.flags() & QNetworkInterface::IsUp)) continue;
    for (const QNetworkAddressEntry& e : i.addressEntries())
      if (e.ip().protocol() == QAbstractSocket::IPv4Protocol) out.push_back({e.ip().toString(), e.netmask().toString()});
  }
  return out;
}

int MAC2IPA(const QString& mac, const LocalAdapter& adapter, QString& ip, QString& mask) {
  const std::u16string upper = mac.toUpper().toStdU16String();
  std::u16string outIp, outMask;
  int status = CConfigMngt::MAC2IP(upper, adapter.address.toStdU16String(), adapter.mask.toStdU16String(), outIp, outMask);
  if (status == kNotFound)
    status = CConfigMngt::MAC2IP(upper, adapter.address.toStdU16String(), adapter.mask.toStdU16String(), outIp, outMask);
  if (status == kFound) {
    ip = QString::fromStdU16String(outIp);
    mask = QString::fromStdU16String(outMask);
  }
  return status;
}

bool FindByMac(const QString& mac, const std::vector<LocalAdapter>& adapters, const MacLookup& lookup, QString& ip,
               QString& mask) {
  for (const LocalAdapter& a : adapters) {
    QString foundIp, foundMask;
    if (lookup(mac, a, foundIp, foundMask) == kFound) {
      ip = foundIp;
      mask = foundMask;
      return true;
    }
  }
  return false;
}

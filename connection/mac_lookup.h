#pragma once
// Finding a DHCP sensor's address by its MAC address in one network.
#include <QString>

// The discovery library's search (seconds: it sweeps the network), with the
// wait cursor. SONVIRA_FOUND (99) and the address and mask when found;
// otherwise the library's result.
int LookUpByMac(const QString& mac, const QString& ip, const QString& mask, QString& outIp, QString& outMask);

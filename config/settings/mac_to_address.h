#pragma once
// Where a DHCP sensor is now: its MAC address asked for on each local
// adapter in turn.
#include <QString>
#include <functional>
#include <vector>

struct LocalAdapter {
  QString address;
  QString mask;
};

// The PC's IPv4 adapters that are up, loopback included (the simulator's home).
std::vector<LocalAdapter> LocalAdapters();

// One adapter's lookup: 99 found (address and mask out), 100 not found,
// anything else a failure.
using MacLookup = std::function<int(const QString& mac, const LocalAdapter& adapter, QString& ip, QString& mask)>;

// The discovery library's lookup: the MAC upper-cased, asked a second time
// when the first query finds nothing.
int MAC2IPA(const QString& mac, const LocalAdapter& adapter, QString& ip, QString& mask);

// The first adapter whose lookup finds the MAC gives the address and mask;
// true then. With no adapter, or none that finds it, false and nothing written.
bool FindByMac(const QString& mac, const std::vector<LocalAdapter>& adapters, const MacLookup& lookup, QString& ip,
               QString& mask);

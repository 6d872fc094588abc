#pragma once
// A saved connection: the eight texts the settings keep per sensor.
#include <QString>

struct SavedConnection {
  QString name;
  QString location;
  QString macAddress;
  QString ipAddress;
  QString networkMask;
  QString dhcp;  // "ON" or "OFF"
  QString xmlPort;
  QString videoPort;
};

// The connection panel's current entry, as start-up preselects it.
struct CurrentConnection {
  QString name;
  QString address;  // "DHCP" when the sensor takes its address by DHCP
  QString networkMask;
  QString xmlPort;
  QString videoPort;
  QString dhcp = QStringLiteral("OFF");
  QString macAddress;
};

// "192.168.000.010" and "192.168.0.10" are one address: each part as a number.
QString NormaliseAddress(const QString& address);
// Whether a saved connection holds enough to connect: a port, and an address
// or (with DHCP) a MAC address.
bool CanConnect(const SavedConnection& c);

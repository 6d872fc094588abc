#pragma once
// Which sensor a connect goes to, from what the connection panel shows:
// the typed octets first, then the selected saved connection (unless the
// connection came from the network scan), then the scan's record. Read on
// the GUI thread when the connect is posted. A connection's name is never
// taken as the host: no address is an error.
#include <array>
#include <string>

#include "dravik/parameter_list.h"

struct ConnectionPanelFields {
  std::array<std::u16string, 4> octets;  // fields 1009..1012
  std::u16string portText;               // field 1013
  bool connectFromScan = false;          // the connection was started from the scan dialog
  std::u16string bookmarkAddress;        // the selected saved connection's address, if any
  std::u16string bookmarkName;           // the name of the selected grid row, if any
  int bookmarkPort = 0;                  // that saved connection's "XMLPort"
  std::u16string scanAddress;            // the record the scan dialog handed over, if any
};

struct SensorAddressChoice {
  std::u16string address;         // empty: no address (an error for the connect)
  std::u16string connectionName;  // the saved connection's name when it came from one
  bool fromBookmark = false;      // the bookmark-address flag
};

inline constexpr int kDefaultSensorPort = 8080;
inline constexpr int kDefaultLiveImagePort = 50002;

SensorAddressChoice GetSensorAddress(const ConnectionPanelFields& fields);
// The typed port, or the saved connection's when no octet is typed; 0 or
// not a number gives 8080.
int GetSensorPort(const ConnectionPanelFields& fields);
// The live image's port: the one the sensor's global settings name, else
// 50002 (a list without it, or a port out of range).
int LiveImagePortOf(const ParameterList& sensorGlobals);

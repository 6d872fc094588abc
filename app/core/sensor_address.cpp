#include "core/sensor_address.h"

#include <algorithm>

#include "core/join_address.h"
#include "core/sensor_info.h"
#include "records/sensor_configuration.h"
#include "text/text_codecs.h"

namespace {

bool AllFilled(const std::array<std::u16string, 4>& parts) {
  return std::none_of(parts.begin(), parts.end(), [](const std::u16string& p) { return p.empty(); });
}

bool NoneFilled(const std::array<std::u16string, 4>& parts) {
  return std::all_of(parts.begin(), parts.end(), [](const std::u16string& p) { return p.empty(); });
}

// A dotted address split and joined again, so its octets read as decimal;
// empty unless it has four parts.
std::u16string Rejoined(const std::u16string& address) {
  std::string utf8;
  Utf16ToUtf8String(utf8, address);
  std::array<std::string, 4> parts;
  CSensorInfo::SplitIP(utf8, parts);
  std::array<std::u16string, 4> wide;
  for (std::size_t i = 0; i < parts.size(); ++i) Utf8ToUtf16String(wide[i], parts[i]);
  return AllFilled(wide) ? JoinAddress(wide) : std::u16string();
}

int DecimalOrZero(const std::u16string& text) {
  long value = 0;
  if (text.empty() || text.size() > 9) return 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return 0;
    value = value * 10 + (c - u'0');
  }
  return static_cast<int>(value);
}

}  // namespace

SensorAddressChoice GetSensorAddress(const ConnectionPanelFields& f) {
  SensorAddressChoice choice;
  if (AllFilled(f.octets)) {
    choice.address = JoinAddress(f.octets);
    return choice;
  }
  if (!f.connectFromScan) {
    choice.address = Rejoined(f.bookmarkAddress);
    choice.fromBookmark = true;
    choice.connectionName = f.bookmarkName;
  }
  if (choice.address.empty() && f.connectFromScan) {
    choice.address = Rejoined(f.scanAddress);
    choice.fromBookmark = false;
  }
  return choice;
}

int GetSensorPort(const ConnectionPanelFields& f) {
  const int port = NoneFilled(f.octets) ? f.bookmarkPort : DecimalOrZero(f.portText);
  return port == 0 ? kDefaultSensorPort : port;
}

int LiveImagePortOf(const ParameterList& sensorGlobals) {
  SensorNetworkSettings network;
  // A list without the item leaves the field 0: the default.
  CSensorConfiguration::GetInstance()->ExtractNetwork(sensorGlobals, network);
  return network.LiveImagePort >= 1 && network.LiveImagePort <= 65535 ? network.LiveImagePort
                                                                       : kDefaultLiveImagePort;
}

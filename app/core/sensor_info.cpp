#include "core/sensor_info.h"

int CSensorInfo::SplitIP(const std::string& address, std::array<std::string, 4>& parts) {
  std::string rest = address;
  for (std::size_t i = 0; i < 3; ++i) {
    const auto dot = rest.find('.');
    if (dot == std::string::npos) {
      parts[i].clear();
      continue;
    }
    parts[i] = rest.substr(0, dot);
    rest.erase(0, dot + 1);
  }
  parts[3] = rest;
  return 0;
}

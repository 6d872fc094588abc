#pragma once
// CSensorInfo: which groups of the global sensor settings the user changed,
// and the splitting of a dotted address.
#include <array>
#include <cstdint>
#include <string>

class CSensorInfo {
public:
  virtual ~CSensorInfo() = default;
  std::uint8_t SetNetworkChanged(std::uint8_t v) { return networkChanged = v; }
  std::uint8_t SetGeneralChanged(std::uint8_t v) { return generalChanged = v; }
  std::uint8_t SetProcessChanged(std::uint8_t v) { return processChanged = v; }

  // Cuts at "." three times; a missing dot gives an empty part there and
  // leaves the rest whole for the last part. Always 0.
  static int SplitIP(const std::string& address, std::array<std::string, 4>& parts);

  std::uint8_t networkChanged = 0;
  std::uint8_t generalChanged = 0;
  std::uint8_t processChanged = 0;
};

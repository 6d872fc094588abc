#pragma once
// The four display colours the program draws with, as COLORREF values
// (0x00BBGGRR). The main window owns the one instance, loads it from the
// settings ("Graphics/...") at start-up and hands it to whatever draws.
#include <cstdint>

struct GraphicsColours {
  static constexpr std::uint32_t kDefaultRegion = 16592896;  // 0xFD3000, blue
  static constexpr std::uint32_t kDefaultPass = 51200;       // 0x00C800, green
  static constexpr std::uint32_t kDefaultFail = 2163711;     // 0x2103FF, red
  static constexpr std::uint32_t kDefaultOther = 39423;      // 0x0099FF, orange

  std::uint32_t regionColour = kDefaultRegion;
  std::uint32_t passColour = kDefaultPass;
  std::uint32_t failColour = kDefaultFail;
  std::uint32_t otherColour = kDefaultOther;
};

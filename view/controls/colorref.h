#pragma once
// Colours as the system stores them (COLORREF, 0x00BBGGRR); the conversion
// to and from Qt is the program's one in window/colours.h.
#include "window/colours.h"

#include <cstdint>

using COLORREF = std::uint32_t;

// "Use the default colour" marker of cells and controls.
inline constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

inline constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

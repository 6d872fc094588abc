#pragma once
// Colours are kept as the system stores them, COLORREF (0x00BBGGRR); this is
// the one place that turns them into Qt colours and back.
#include <QColor>
#include <cstdint>

using COLORREF = std::uint32_t;

// "Use the default colour" marker of cells and controls.
inline constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

inline constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

inline QColor colorFromRef(COLORREF c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

inline COLORREF colorRefFrom(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

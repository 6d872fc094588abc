#pragma once
// COLORREF (0x00BBGGRR) to and from QColor: the one place that converts.
#include <QColor>
#include <cstdint>

inline QColor FromColorRef(std::uint32_t c) {
  return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline std::uint32_t ToColorRef(const QColor& c) {
  return std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) | (std::uint32_t(c.blue()) << 16);
}

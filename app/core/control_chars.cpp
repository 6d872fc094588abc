#include "core/control_chars.h"

std::u16string EscapeControlChars(std::u16string_view text) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c >= 32 && c != 126) {
      out += c;
      continue;
    }
    out += u"\\x";
    if (c < 16) {
      out += u'0';
      out += kHex[c];
    } else {
      out += kHex[(c >> 4) & 0xF];
      out += kHex[c & 0xF];
    }
  }
  return out;
}

bool HasNonAsciiChars(std::u16string_view text) {
  for (char16_t c : text)
    if (c < 31 || c > 126) return true;
  return false;
}

bool HasControlChars(std::u16string_view text) {
  for (char16_t c : text)
    if (c < 32 || (c >= 127 && c < 160)) return true;
  return false;
}

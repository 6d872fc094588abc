#include "core/join_address.h"

namespace {

std::u16string Decimal(const std::u16string& octet) {
  if (octet.empty()) return octet;
  for (char16_t c : octet)
    if (c < u'0' || c > u'9') return octet;
  std::size_t first = octet.find_first_not_of(u'0');
  return first == std::u16string::npos ? u"0" : octet.substr(first);
}

}  // namespace

std::u16string JoinAddress(const std::array<std::u16string, 4>& octets) {
  std::u16string out;
  for (std::size_t i = 0; i < octets.size(); ++i) {
    if (i) out += u'.';
    out += Decimal(octets[i]);
  }
  return out;
}

#include "settings/network_rules.h"

#include "core/misc_checks.h"

namespace {

bool AllDigits(const std::u16string& text) {
  if (text.empty()) return false;
  for (char16_t c : text)
    if (c < u'0' || c > u'9') return false;
  return true;
}

int Octet(const std::u16string& text) { return std::stoi(std::string(text.begin(), text.end())); }

bool AllValid(const OctetTexts& o) {
  for (const auto& t : o)
    if (!CMisc::IsValidOctet(t)) return false;
  return true;
}

}  // namespace

int PortValue(const std::u16string& text) {
  if (!AllDigits(text) || text.size() > 9) return -1;
  return Octet(text);
}

bool IsValidPortText(const std::u16string& text) { return CMisc::IsValidPort(PortValue(text)); }

bool IsValidSubnetMask(const OctetTexts& mask) {
  if (!AllValid(mask)) return false;
  unsigned bits = 0;
  for (const auto& t : mask) bits = (bits << 8) | static_cast<unsigned>(Octet(t));
  if (bits == 0 || bits == 0xFFFFFFFFu) return false;
  // A contiguous mask: its inverse plus one is a power of two.
  const unsigned host = ~bits;
  return (host & (host + 1)) == 0;
}

NetworkFault ValidateAddressSet(const NetworkFields& f) {
  NetworkFault fault;
  auto fail = [&fault](int code, NetworkGroup g, int index) { fault = {code, g, index}; };
  bool ipValid = true;
  for (int i = 0; i < 4; ++i)
    if (!CMisc::IsValidOctet(f.ip[i])) fail(kErrIpAddress, NetworkGroup::Ip, i), ipValid = false;
  if (ipValid && !CMisc::IsPlausibleAddress(Octet(f.ip[0]), Octet(f.ip[1]), Octet(f.ip[2]), Octet(f.ip[3])))
    fail(kErrIpAddress, NetworkGroup::Ip, fault.index), ipValid = false;
  if (ipValid && !IsValidSubnetMask(f.mask)) {
    int bad = -1;
    for (int i = 0; i < 4; ++i)
      if (!CMisc::IsValidOctet(f.mask[i])) bad = i;
    fail(kErrSubnetMask, bad < 0 ? NetworkGroup::None : NetworkGroup::Mask, bad);
  }
  bool gwValid = true;
  for (int i = 0; i < 4; ++i)
    if (!CMisc::IsValidOctet(f.gateway[i])) fail(kErrGateway, NetworkGroup::Gateway, i), gwValid = false;
  if (gwValid && fault.code == 0 &&
      !CMisc::IsPlausibleAddress(Octet(f.gateway[0]), Octet(f.gateway[1]), Octet(f.gateway[2]), Octet(f.gateway[3])))
    fail(kErrGateway, NetworkGroup::None, -1);
  if (!IsValidPortText(f.xmlPort)) fail(kErrPort, NetworkGroup::XmlPort, 0);
  if (!IsValidPortText(f.videoPort)) fail(kErrPort, NetworkGroup::VideoPort, 0);
  return fault;
}

int CheckPortClash(int xmlPort, int videoPort, int tcpPort) {
  if (xmlPort == videoPort || xmlPort == tcpPort || videoPort == tcpPort) return 1;
  for (int p : {xmlPort, videoPort, tcpPort})
    if (!CMisc::IsValidPort(p)) return 2;
  return 0;
}

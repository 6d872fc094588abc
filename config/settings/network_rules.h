#pragma once
// The checks of the network page without its widgets: octets, the subnet
// mask, the gateway, the ports, and the port clash of the whole dialog.
#include <array>
#include <string>

// Error codes the page reports through the error-message table.
inline constexpr int kErrIpAddress = -14210;
inline constexpr int kErrSubnetMask = -14211;
inline constexpr int kErrGateway = -14212;
inline constexpr int kErrPort = -14213;

using OctetTexts = std::array<std::u16string, 4>;

// 1024..65535 read from a text of digits only (an empty text fails).
bool IsValidPortText(const std::u16string& text);
int PortValue(const std::u16string& text);  // -1 when not digits only

// Valid octets, neither 0.0.0.0 nor 255.255.255.255, and the set bits one run
// from the left: 255.253.0.0 is refused as well as 255.0.255.0.
bool IsValidSubnetMask(const OctetTexts& mask);

// The twelve octets and the two ports as the page holds them.
struct NetworkFields {
  OctetTexts ip;
  OctetTexts mask;
  OctetTexts gateway;
  std::u16string xmlPort;
  std::u16string videoPort;
};

// Which field a whole-set check found wrong: the group and the octet (0..3),
// or the port (group Xml / Video, index 0).
enum class NetworkGroup { None, Ip, Mask, Gateway, XmlPort, VideoPort };
struct NetworkFault {
  int code = 0;  // 0 passed, else -14210..-14213
  NetworkGroup group = NetworkGroup::None;
  int index = -1;  // octet index, -1 no field to mark
};

// The address set before OK with DHCP off; later faults overwrite earlier ones.
NetworkFault ValidateAddressSet(const NetworkFields& f);

// The three ports of the dialog: 0 fine, 1 two of them equal (message 6028),
// 2 one out of 1024..65535 (refused without a message).
int CheckPortClash(int xmlPort, int videoPort, int tcpPort);

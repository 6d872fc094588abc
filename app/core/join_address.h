#pragma once
// The sensor's address from the four octet fields of the connection panel.
#include <array>
#include <string>

// Each octet that is all digits is written in plain decimal ("009" -> "9",
// "000" -> "0"), so that nothing later reads it as octal; other texts stay
// as typed (the address check refuses them). Joined with ".".
std::u16string JoinAddress(const std::array<std::u16string, 4>& octets);

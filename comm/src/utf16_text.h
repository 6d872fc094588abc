// UTF-8 and UTF-16 texts inside the library: wide paths become the bytes the
// file system takes, pages and reports are kept in UTF-16.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dravik {

// Invalid UTF-8 bytes each become U+FFFD, so nothing the sensor sends is dropped silently.
std::u16string utf8ToUtf16(std::string_view text);
// Text as the sensor sends it: UTF-8 where the bytes form it, any other
// byte taken as the Latin-1 character of that value (the XML-RPC layer hands
// out bytes 0x80 and above one by one).
std::u16string sensorTextToUtf16(std::string_view text);
// A lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

// Appends the UTF-16 text as little-endian bytes, as the files store it.
void appendUtf16Le(std::string& out, std::u16string_view text);

// A zero-terminated wide path as a file-system path; nothing for null.
std::optional<std::string> widePath(const char16_t* path);

}  // namespace dravik

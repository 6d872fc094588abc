#pragma once
// The escaped text form of names and output strings in a configuration:
// letters, digits and blank \ # $ + , - . stay; every other character is
// "=" and two upper-case hexadecimal digits. A character above 255 is
// written as the escapes of its UTF-8 bytes, which UnescapeText joins again.
#include <string>
#include <string_view>

std::u16string EscapeText(std::u16string_view text);
// "=" and two hexadecimal digits become the character of that code; an
// incomplete or malformed escape ends the text there.
std::u16string UnescapeText(std::u16string_view text);
// A sensor text: a framed, encoded name decoded; any other text unescaped.
// encoded (optional) tells which it was.
std::u16string DecodeSensorText(std::string_view bytes, bool* encoded = nullptr);
// The hexadecimal value at the start of text ("0x" skipped, either case);
// stops at the first other character.
unsigned ParseHex(std::u16string_view text);
// 0 for 0-9 and A-F, -1 for anything else (lower case included).
int IsHexDigit(char16_t c);
// True only for an existing regular file (or a link to one).
bool FileExists(const std::u16string& path);

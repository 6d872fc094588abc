// Code points in UTF-8 and UTF-16. Only the mechanics live here; what to do
// with malformed input (replace it, read it as Latin-1, refuse the text) is
// each caller's choice.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vt {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

struct DecodedCodePoint {
    char32_t value = 0;  // only when valid
    // Units taken. For a malformed sequence: its longest prefix that could
    // still have begun a valid one, at least one unit.
    std::size_t length = 1;
    bool valid = false;
};

constexpr bool isUtf8Continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The sequence at text[pos] (pos < text.size()). Overlong forms, surrogates,
// values above U+10FFFF and sequences cut short are malformed.
DecodedCodePoint decodeUtf8(std::string_view text, std::size_t pos);

// The unit or surrogate pair at text[pos] (pos < text.size()); a lone
// surrogate is malformed, with length 1.
DecodedCodePoint decodeUtf16(std::u16string_view text, std::size_t pos);

// cp must be a scalar value (no surrogate, at most U+10FFFF).
void appendUtf8(std::string& out, char32_t cp);
void appendUtf16(std::u16string& out, char32_t cp);

// True when every sequence of text is well-formed.
bool isValidUtf8(std::string_view text);

}  // namespace vt

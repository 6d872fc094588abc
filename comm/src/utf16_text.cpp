#include "utf16_text.h"

#include "platform/utf.h"

namespace dravik {

namespace {

// A malformed sequence gives up only its first byte: with the Latin-1
// fallback each such byte is a character of its own.
std::u16string decodeUtf8(std::string_view text, bool latin1Fallback) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const vt::DecodedCodePoint c = vt::decodeUtf8(text, i);
        if (c.valid) {
            vt::appendUtf16(out, c.value);
            i += c.length;
        } else {
            out += latin1Fallback ? static_cast<char16_t>(static_cast<unsigned char>(text[i]))
                                  : static_cast<char16_t>(vt::kReplacementCharacter);
            ++i;
        }
    }
    return out;
}

}  // namespace

std::u16string utf8ToUtf16(std::string_view text) {
    return decodeUtf8(text, false);
}

std::u16string sensorTextToUtf16(std::string_view text) {
    return decodeUtf8(text, true);
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const vt::DecodedCodePoint c = vt::decodeUtf16(text, i);
        vt::appendUtf8(out, c.valid ? c.value : vt::kReplacementCharacter);
        i += c.length;
    }
    return out;
}

void appendUtf16Le(std::string& out, std::u16string_view text) {
    out.reserve(out.size() + 2 * text.size());
    for (const char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
}

std::optional<std::string> widePath(const char16_t* path) {
    if (path == nullptr) return std::nullopt;
    return utf16ToUtf8(std::u16string_view(path));
}

}  // namespace dravik

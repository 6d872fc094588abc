#include "platform/utf.h"

namespace vt {

namespace {

bool isHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

DecodedCodePoint decodeUtf8(std::string_view text, std::size_t pos) {
    const auto b0 = static_cast<unsigned char>(text[pos]);
    if (b0 < 0x80) return {b0, 1, true};
    std::size_t length;
    char32_t cp;
    // Narrowing the second byte's range rules out overlong forms, surrogates
    // and values above U+10FFFF before any later byte is read.
    unsigned char lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        cp = b0 & 0x0F;
        if (b0 == 0xE0) lo = 0xA0;
        if (b0 == 0xED) hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        cp = b0 & 0x07;
        if (b0 == 0xF0) lo = 0x90;
        if (b0 == 0xF4) hi = 0x8F;
    } else {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (pos + i >= text.size()) return {0, i, false};
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if (i == 1 ? (b < lo || b > hi) : !isUtf8Continuation(b)) return {0, i, false};
        cp = (cp << 6) | (b & 0x3F);
    }
    return {cp, length, true};
}

DecodedCodePoint decodeUtf16(std::u16string_view text, std::size_t pos) {
    const char32_t c = text[pos];
    if (isHighSurrogate(c) && pos + 1 < text.size() && isLowSurrogate(text[pos + 1]))
        return {0x10000 + ((c - 0xD800) << 10) + (char32_t(text[pos + 1]) - 0xDC00), 2, true};
    if (isHighSurrogate(c) || isLowSurrogate(c)) return {};
    return {c, 1, true};
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void appendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
        return;
    }
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 | (cp >> 10));
    out += static_cast<char16_t>(0xDC00 | (cp & 0x3FF));
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const DecodedCodePoint d = decodeUtf8(text, pos);
        if (!d.valid) return false;
        pos += d.length;
    }
    return true;
}

}  // namespace vt

#include "text/text_codecs.h"

#include "text/copy_with_nul.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Decodes one code point at text[pos]; sets `consumed` to the bytes taken.
// A malformed sequence yields U+FFFD and consumes its longest valid prefix
// (at least one byte), the usual practice for replacement.
char32_t decodeUtf8(std::string_view text, std::size_t pos, std::size_t& consumed, bool& valid) {
    const auto b0 = static_cast<unsigned char>(text[pos]);
    consumed = 1;
    valid = false;
    if (b0 < 0x80) {
        valid = true;
        return b0;
    }
    int length;
    char32_t cp;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        cp = b0 & 0x0F;
        if (b0 == 0xE0) lo = 0xA0;  // overlong
        if (b0 == 0xED) hi = 0x9F;  // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        cp = b0 & 0x07;
        if (b0 == 0xF0) lo = 0x90;  // overlong
        if (b0 == 0xF4) hi = 0x8F;  // above U+10FFFF
    } else {
        return kReplacement;
    }
    for (int i = 1; i < length; ++i) {
        if (pos + i >= text.size()) return kReplacement;
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if (i == 1 ? (b < lo || b > hi) : !isContinuation(b)) return kReplacement;
        cp = (cp << 6) | (b & 0x3F);
        consumed = i + 1;
    }
    valid = true;
    return cp;
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
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 | (cp >> 10));
        out += static_cast<char16_t>(0xDC00 | (cp & 0x3FF));
    }
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

void Utf16ToUtf8String(std::string& out, std::u16string_view text) {
    out.clear();
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            appendUtf8(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, c);
        }
    }
}

void Utf8ToUtf16String(std::u16string& out, std::string_view text) {
    out.clear();
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t consumed;
        bool valid;
        appendUtf16(out, decodeUtf8(text, pos, consumed, valid));
        pos += consumed;
    }
}

int Utf16ToUtf8(char* out, std::size_t capacity, std::u16string_view text) {
    std::string utf8;
    Utf16ToUtf8String(utf8, text);
    return CopyWithNul(out, capacity, utf8);
}

int Utf8ToUtf16(char16_t* out, std::size_t capacity, std::string_view text) {
    std::u16string utf16;
    Utf8ToUtf16String(utf16, text);
    return CopyWithNul(out, capacity, utf16);
}

int CompareUtf8WithWide(std::string_view utf8, std::u16string_view wide) {
    std::string other;
    Utf16ToUtf8String(other, wide);
    // char_traits<char> compares as unsigned char.
    const int c = utf8.compare(other);
    return (c > 0) - (c < 0);
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t consumed;
        bool valid;
        decodeUtf8(text, pos, consumed, valid);
        if (!valid) return false;
        pos += consumed;
    }
    return true;
}

std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text.size();
    // Step back over the continuation bytes of the sequence that was cut; a
    // sequence has at most three, so stray ones in a damaged text stop it.
    std::size_t end = maxBytes;
    while (end > 0 && maxBytes - end < 3 && isContinuation(static_cast<unsigned char>(text[end]))) --end;
    return isContinuation(static_cast<unsigned char>(text[end])) ? maxBytes : end;
}

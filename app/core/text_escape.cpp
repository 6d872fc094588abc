#include "core/text_escape.h"

#include <sys/stat.h>

#include <vector>

#include "text/config_name_codec.h"
#include "text/text_codecs.h"

namespace {

bool KeptAsIs(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9')) return true;
    switch (c) {
        case U' ':
        case U'\\':
        case U'#':
        case U'$':
        case U'+':
        case U',':
        case U'-':
        case U'.':
            return true;
        default:
            return false;
    }
}

void AppendEscape(std::u16string& out, unsigned byte) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    out += u'=';
    out += kHex[(byte >> 4) & 0xF];
    out += kHex[byte & 0xF];
}

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

void AppendCodePoint(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

// Length of a UTF-8 sequence for a code point of 0x100 or more starting at
// bytes[i] (all escaped), or 0.
std::size_t WideSequence(const std::vector<int>& bytes, std::size_t i, char32_t& cp) {
    int lead = bytes[i];
    std::size_t n = lead >= 0xC4 && lead <= 0xDF   ? 2
                    : lead >= 0xE0 && lead <= 0xEF ? 3
                    : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                   : 0;
    if (n == 0 || i + n > bytes.size()) return 0;
    cp = static_cast<char32_t>(lead & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07));
    for (std::size_t k = 1; k < n; ++k) {
        int b = bytes[i + k];
        if (b < 0x80 || b > 0xBF) return 0;
        cp = (cp << 6) | static_cast<char32_t>(b & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x100, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

}  // namespace

std::u16string EscapeText(std::u16string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (KeptAsIs(c)) {
            out += static_cast<char16_t>(c);
        } else if (c <= 0xFF) {
            AppendEscape(out, c);
        } else {
            std::u16string one;
            AppendCodePoint(one, c);
            std::string utf8;
            Utf16ToUtf8String(utf8, one);
            for (unsigned char b : utf8) AppendEscape(out, b);
        }
    }
    return out;
}

std::u16string UnescapeText(std::u16string_view text) {
    // Escaped bytes gather in a run, so that the UTF-8 bytes of a character
    // above 255 join again.
    std::u16string out;
    std::vector<int> run;  // consecutive escaped bytes not yet written
    auto flush = [&] {
        for (std::size_t i = 0; i < run.size();) {
            char32_t cp = 0;
            std::size_t n = WideSequence(run, i, cp);
            if (n) {
                AppendCodePoint(out, cp);
                i += n;
            } else {
                out += static_cast<char16_t>(run[i++]);
            }
        }
        run.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'=') {
            flush();
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) break;
        int high = HexValue(text[i + 1]);
        int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0) break;
        run.push_back(high * 16 + low);
        i += 2;
    }
    flush();
    return out;
}

std::u16string DecodeSensorText(std::string_view bytes, bool* encoded) {
    std::u16string decoded;
    int length = DecodeConfigName(decoded, bytes);
    bool wasEncoded = length < 0 || static_cast<std::size_t>(length) != bytes.size();
    if (!wasEncoded) {
        // A plain text: its own bytes, unescaped.
        std::u16string plain;
        Utf8ToUtf16String(plain, bytes);
        decoded = UnescapeText(plain);
    }
    if (encoded) *encoded = wasEncoded;
    return decoded;
}

unsigned ParseHex(std::u16string_view text) {
    std::size_t i = 0;
    if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) i = 2;
    unsigned value = 0;
    for (; i < text.size(); ++i) {
        int digit = HexValue(text[i]);
        if (digit < 0) break;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return value;
}

int IsHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') ? 0 : -1;
}

bool FileExists(const std::u16string& path) {
    std::string narrow;
    Utf16ToUtf8String(narrow, path);
    struct stat info {};
    return !narrow.empty() && ::stat(narrow.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

#include "report_text.h"

#include <cstdint>
#include <optional>

namespace dravik {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The base64 form of framed names: "+" and "#" as the last two letters,
// "_" as the fill.
int base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '#') return 63;
    return -1;
}

std::optional<std::string> decodeBase64(std::string_view text) {
    while (!text.empty() && text.back() == '_') text.remove_suffix(1);
    std::string out;
    uint32_t bits = 0;
    int count = 0;
    for (const char c : text) {
        const int v = base64Value(c);
        if (v < 0) return std::nullopt;
        bits = (bits << 6) | static_cast<uint32_t>(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return out;
}

std::optional<std::string> unframe(std::string_view value) {
    const std::optional<std::string> bytes = decodeBase64(value);
    if (!bytes || bytes->size() <= 2 || bytes->front() != '\x02' || bytes->back() != '\x03')
        return std::nullopt;
    return bytes->substr(1, std::min<std::size_t>(bytes->size() - 2, 255));
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Removes every "(dd)" followed by one white-space character: the bracketed
// application identifiers of GS1 texts.
std::string withoutApplicationIdentifiers(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(' && i + 4 < text.size() && isDigit(text[i + 1]) && isDigit(text[i + 2]) &&
            text[i + 3] == ')' && isSpace(text[i + 4])) {
            i += 4;
        } else {
            out += text[i];
        }
    }
    return out;
}

void appendAscii(std::u16string& out, const char* text) {
    for (; *text != '\0'; ++text) out += static_cast<char16_t>(*text);
}

void appendHexByte(std::u16string& out, unsigned value) {
    static const char kDigits[] = "0123456789ABCDEF";
    appendAscii(out, "\\x");
    out += static_cast<char16_t>(kDigits[(value >> 4) & 0xF]);
    out += static_cast<char16_t>(kDigits[value & 0xF]);
}

}  // namespace

std::string ResolveHexEscapes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string ConvertRecordText(std::string_view value) {
    std::optional<std::string> text = unframe(value);
    if (!text) {
        const std::string stripped = withoutApplicationIdentifiers(value);
        text = unframe(stripped);
        if (!text) text = stripped;
    }
    return ResolveHexEscapes(*text);
}

namespace {
// The length of a leading "<digits>)", 0 when there is none.
std::size_t labelNumberLength(std::string_view label) {
    std::size_t i = 0;
    while (i < label.size() && isDigit(label[i])) ++i;
    return i > 0 && i < label.size() && label[i] == ')' ? i + 1 : 0;
}
}  // namespace

std::string_view ConfigLabelName(std::string_view label) {
    label.remove_prefix(labelNumberLength(label));
    if (!label.empty() && label.front() == ' ') label.remove_prefix(1);
    return label;
}

std::string ConvertConfigLabel(std::string_view label) {
    const std::size_t number = labelNumberLength(label);
    if (number == 0) return ConvertRecordText(label);
    return std::string(label.substr(0, number)) + " " + ConvertRecordText(ConfigLabelName(label));
}

std::string DisplayText(std::string_view raw) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(raw.size());
    for (const char c : raw) {
        const auto b = static_cast<uint8_t>(c);
        if (b < 32 || c == '~') {
            out += "\\x";
            out += kDigits[b >> 4];
            out += kDigits[b & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

std::u16string EscapeHtmlEntities(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t c : text) {
        switch (c) {
            case u'&':
                appendAscii(out, "&amp;");
                break;
            case u'<':
                appendAscii(out, "&lt;");
                break;
            case u'>':
                appendAscii(out, "&gt;");
                break;
            case u'"':
                appendAscii(out, "&quot;");
                break;
            case 0xA3:
            case 0xA7:
            case 0xAB:
            case 0xBB:
            case 0xC4:
            case 0xD6:
            case 0xDC:
            case 0xDF:
            case 0xE4:
            case 0xE9:
            case 0xF6:
            case 0xFC:
                appendAscii(out, ("&#" + std::to_string(static_cast<unsigned>(c)) + ";").c_str());
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::u16string EscapeXmlText(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t c : text) {
        if (c == u'&') {
            appendAscii(out, "&amp;");
        } else if (c == u'<') {
            appendAscii(out, "&lt;");
        } else if (c == u'>') {
            appendAscii(out, "&gt;");
        } else if (c < 0x20) {
            appendHexByte(out, c);
        } else if (c == 0xFFFE || c == 0xFFFF) {
            out += static_cast<char16_t>(0xFFFD);
        } else {
            out += c;
        }
    }
    return out;
}

std::u16string RelativeFileLink(std::u16string_view fileName) {
    std::u16string out = u"./";
    for (const char16_t c : fileName) {
        if (c == u'%') {
            appendAscii(out, "%25");
        } else if (c == u'#') {
            appendAscii(out, "%23");
        } else if (c == u'?') {
            appendAscii(out, "%3F");
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace dravik

#include "text/config_name_codec.h"

#include <array>

#include "text/copy_with_nul.h"
#include "text/text_codecs.h"

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+#";
constexpr char kFill = '_';
constexpr char kFrameStart = 0x02;
constexpr char kFrameEnd = 0x03;

constexpr std::array<int, 256> makeValues() {
    std::array<int, 256> values{};
    values.fill(-1);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        values[static_cast<unsigned char>(kAlphabet[i])] = int(i);
    return values;
}
constexpr std::array<int, 256> kValues = makeValues();

// The framed payload of text, or false when text is not a framed text.
// The bare frame is the empty name, so that it too comes back as it went.
bool unframe(std::string_view text, std::string& payload) {
    const std::string bytes = DecodeBase64Variant(text);
    if (bytes.size() < 2 || bytes.front() != kFrameStart || bytes.back() != kFrameEnd) return false;
    payload = bytes.substr(1, bytes.size() - 2);
    return true;
}

}  // namespace

std::string EncodeBase64Variant(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        out += kAlphabet[at(i) >> 2];
        out += kAlphabet[((at(i) & 3) << 4) | (at(i + 1) >> 4)];
        out += kAlphabet[((at(i + 1) & 15) << 2) | (at(i + 2) >> 6)];
        out += kAlphabet[at(i + 2) & 63];
    }
    if (bytes.size() - i == 1) {
        out += kAlphabet[at(i) >> 2];
        out += kAlphabet[(at(i) & 3) << 4];
        out += "__";
    } else if (bytes.size() - i == 2) {
        out += kAlphabet[at(i) >> 2];
        out += kAlphabet[((at(i) & 3) << 4) | (at(i + 1) >> 4)];
        out += kAlphabet[(at(i + 1) & 15) << 2];
        out += kFill;
    }
    return out;
}

std::string DecodeBase64Variant(std::string_view text) {
    std::string out;
    int group[4];
    int filled = 0;
    for (char c : text) {
        if (c == kFill) {
            // A fill in third place leaves one byte, in fourth two; earlier, none.
            if (filled >= 2) out += static_cast<char>((group[0] << 2) | (group[1] >> 4));
            if (filled == 3) out += static_cast<char>(((group[1] & 15) << 4) | (group[2] >> 2));
            return out;
        }
        const int value = kValues[static_cast<unsigned char>(c)];
        if (value < 0) continue;  // line breaks, blanks and other strays
        group[filled++] = value;
        if (filled == 4) {
            out += static_cast<char>((group[0] << 2) | (group[1] >> 4));
            out += static_cast<char>(((group[1] & 15) << 4) | (group[2] >> 2));
            out += static_cast<char>(((group[2] & 3) << 6) | group[3]);
            filled = 0;
        }
    }
    return out;
}

int EncodeConfigName(std::string& out, std::u16string_view name) {
    std::string framed(1, kFrameStart);
    std::string utf8;
    Utf16ToUtf8String(utf8, name);
    framed += utf8;
    framed += kFrameEnd;
    out = EncodeBase64Variant(framed);
    return static_cast<int>(out.size());
}

int EncodeConfigName(char* out, std::size_t capacity, std::u16string_view name) {
    std::string encoded;
    EncodeConfigName(encoded, name);
    return CopyWithNul(out, capacity, encoded);
}

int DecodeConfigName(std::u16string& out, std::string_view text) {
    out.clear();
    std::string payload;
    if (!unframe(text, payload)) {
        Utf8ToUtf16String(out, text);
        return static_cast<int>(text.size());
    }
    if (!IsValidUtf8(payload)) return -1;
    Utf8ToUtf16String(out, payload);
    return static_cast<int>(payload.size());
}

int DecodeConfigName(char16_t* out, std::size_t capacity, std::string_view text) {
    std::u16string name;
    const int length = DecodeConfigName(name, text);
    if (CopyWithNul(out, capacity, name) < 0) return -1;
    if (length < 0) out[0] = u'\0';
    return length;
}

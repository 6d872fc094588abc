#include "sim/method_call.h"

#include <array>
#include <cstdint>

namespace vt::sim {

namespace {

constexpr std::string_view kNameTag = "<methodName>";
constexpr std::string_view kNameEndTag = "</methodName>";
constexpr std::string_view kBase64Value = "<value><base64>";
constexpr std::string_view kBase64End = "</base64>";
constexpr std::string_view kValueEnd = "</value>";

constexpr uint8_t kSkip = 0xFF;
constexpr uint8_t kEnd = 0xFE;

constexpr std::array<uint8_t, 256> makeTable() {
    std::array<uint8_t, 256> t{};
    t.fill(kSkip);
    constexpr std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (std::size_t i = 0; i < alphabet.size(); ++i)
        t[static_cast<unsigned char>(alphabet[i])] = static_cast<uint8_t>(i);
    t['='] = kEnd;
    return t;
}

constexpr std::array<uint8_t, 256> kTable = makeTable();

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void skipSpace(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && isSpace(text[pos])) ++pos;
}

// A base64 parameter decoded here, not through the general value reader:
// an update's image is megabytes of it.
bool base64Param(std::string_view body, std::size_t& pos, XmlRpc::XmlRpcValue& value) {
    if (body.substr(pos, kBase64Value.size()) != kBase64Value) return false;
    const std::size_t start = pos + kBase64Value.size();
    const std::size_t end = body.find('<', start);
    if (end == std::string_view::npos || body.substr(end, kBase64End.size()) != kBase64End) return false;
    std::size_t after = end + kBase64End.size();
    skipSpace(body, after);
    if (body.substr(after, kValueEnd.size()) != kValueEnd) return false;
    value = XmlRpc::XmlRpcValue(decodeRequestBase64(body.substr(start, end - start)));
    pos = after + kValueEnd.size();
    return true;
}

}  // namespace

XmlRpc::XmlRpcValue::BinaryData decodeRequestBase64(std::string_view text) {
    XmlRpc::XmlRpcValue::BinaryData bytes(decodedSizeBound(text.size()));
    bytes.resize(decodeRequestBase64(text, bytes.data()));
    return bytes;
}

std::size_t decodeRequestBase64(std::string_view text, unsigned char* const into) {
    unsigned char* out = into;
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const inEnd = in + text.size();
    uint32_t acc = 0;
    int have = 0;
    while (in != inEnd) {
        // Whole quads of the alphabet, the common case, four at a time.
        if (have == 0 && inEnd - in >= 4) {
            const uint8_t a = kTable[in[0]], b = kTable[in[1]], c = kTable[in[2]], d = kTable[in[3]];
            if ((a | b | c | d) < 64) {
                const uint32_t v = (uint32_t(a) << 18) | (uint32_t(b) << 12) | (uint32_t(c) << 6) | d;
                out[0] = static_cast<unsigned char>(v >> 16);
                out[1] = static_cast<unsigned char>(v >> 8);
                out[2] = static_cast<unsigned char>(v);
                out += 3;
                in += 4;
                continue;
            }
        }
        const uint8_t v = kTable[*in++];
        if (v == kEnd) break;
        if (v == kSkip) continue;
        acc = (acc << 6) | v;
        if (++have == 4) {
            out[0] = static_cast<unsigned char>(acc >> 16);
            out[1] = static_cast<unsigned char>(acc >> 8);
            out[2] = static_cast<unsigned char>(acc);
            out += 3;
            have = 0;
            acc = 0;
        }
    }
    if (have >= 2) *out++ = static_cast<unsigned char>(acc >> (6 * have - 8));
    if (have == 3) *out++ = static_cast<unsigned char>(acc >> 2);
    return static_cast<std::size_t>(out - into);
}

bool parseMethodCall(std::string_view body, std::string& method, XmlRpc::XmlRpcValue& params) {
    std::size_t name = body.find(kNameTag);
    if (name == std::string_view::npos) return false;
    name += kNameTag.size();
    const std::size_t nameEnd = body.find(kNameEndTag, name);
    if (nameEnd == std::string_view::npos) return false;
    method.assign(body.substr(name, nameEnd - name));
    params.setSize(0);
    std::size_t pos = nameEnd;
    int index = 0;
    for (;;) {
        const std::size_t param = body.find("<param>", pos);
        if (param == std::string_view::npos) break;
        pos = param + 7;
        skipSpace(body, pos);
        XmlRpc::XmlRpcValue value;
        if (!base64Param(body, pos, value) && !value.fromXml(body, pos)) return false;
        params[index++] = std::move(value);
        skipSpace(body, pos);
    }
    return true;
}

}  // namespace vt::sim

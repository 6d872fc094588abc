#include "xmlrpc/XmlRpcValue.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "xmlrpc/XmlRpcUtil.h"

namespace XmlRpc {

namespace {

// Replies nest arrays a few levels deep; anything deeper is hostile input
// that would otherwise exhaust the stack.
constexpr int kMaxDepth = 200;

constexpr std::string_view kValueTag = "<value>";
constexpr std::string_view kValueEnd = "</value>";

constexpr char kBase64Chars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::array<int8_t, 256> makeBase64Table() {
    std::array<int8_t, 256> t{};
    for (auto& x : t) x = -1;
    for (int i = 0; i < 64; ++i) t[static_cast<unsigned char>(kBase64Chars[i])] = static_cast<int8_t>(i);
    return t;
}
constexpr std::array<int8_t, 256> kBase64Table = makeBase64Table();

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void appendInt(std::string& out, int value) {
    char buf[16];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, r.ptr);
}

}  // namespace

class XmlRpcValueParser {
public:
    XmlRpcValueParser(std::string_view text, std::size_t pos) : t_(text), pos_(pos) {}
    std::size_t pos() const { return pos_; }

    bool value(XmlRpcValue& out, int depth) {
        if (depth > kMaxDepth) return false;
        if (!consume(kValueTag)) return false;
        const std::size_t contentStart = pos_;
        std::size_t q = pos_;
        while (q < t_.size() && isSpace(t_[q])) ++q;
        if (q >= t_.size()) return false;
        if (t_[q] != '<') {
            // Text right after <value> is a string without its tag.
            std::size_t lt = t_.find('<', contentStart);
            if (lt == std::string_view::npos) return false;
            out = XmlRpcValue::decodeWireString(t_.substr(contentStart, lt - contentStart));
            pos_ = lt;
            return consume(kValueEnd);
        }
        if (t_.substr(q).starts_with(kValueEnd)) {
            out = XmlRpcValue::decodeWireString(t_.substr(contentStart, q - contentStart));
            pos_ = q + kValueEnd.size();
            return true;
        }
        std::size_t gt = t_.find('>', q);
        if (gt == std::string_view::npos) return false;
        std::string_view tag = t_.substr(q, gt + 1 - q);
        pos_ = gt + 1;
        if (!typed(tag, out, depth)) return false;
        return consume(kValueEnd);
    }

private:
    bool typed(std::string_view tag, XmlRpcValue& out, int depth) {
        if (tag == "<boolean>") {
            int v = 0;
            if (!integer(v) || (v != 0 && v != 1)) return false;
            out = (v == 1);
            return consume("</boolean>");
        }
        if (tag == "<i4>" || tag == "<int>") {
            int v = 0;
            if (!integer(v)) return false;
            out = v;
            return consume(tag == "<i4>" ? "</i4>" : "</int>");
        }
        if (tag == "<double>") {
            double v = 0;
            if (!real(v)) return false;
            out = v;
            return consume("</double>");
        }
        if (tag == "<string>") {
            std::string_view text;
            if (!textToLt(text)) return false;
            out = XmlRpcValue::decodeWireString(text);
            return consume("</string>");
        }
        if (tag == "<string/>") {
            out = std::string();
            return true;
        }
        if (tag == "<dateTime.iso8601>") {
            std::string_view text;
            if (!textToLt(text) || !dateTime(text, out)) return false;
            return consume("</dateTime.iso8601>");
        }
        if (tag == "<base64>") {
            std::string_view text;
            if (!textToLt(text)) return false;
            out = XmlRpcValue::decodeBase64(text);
            return consume("</base64>");
        }
        if (tag == "<array>") return array(out, depth);
        if (tag == "<struct>") return structure(out, depth);
        return false;
    }

    bool array(XmlRpcValue& out, int depth) {
        if (!consume("<data>")) return false;
        auto elements = std::make_unique<XmlRpcValue::ValueArray>();
        for (;;) {
            skipSpace();
            if (t_.substr(pos_).starts_with("</data>")) break;
            const std::size_t elementStart = pos_;
            XmlRpcValue element;
            if (!value(element, depth + 1)) {
                // An unreadable element ends the array; the rest of it is skipped.
                pos_ = elementStart;
                if (!skipToArrayEnd()) return false;
                out.v_ = std::move(elements);
                return true;
            }
            elements->push_back(std::move(element));
        }
        if (!consume("</data>") || !consume("</array>")) return false;
        out.v_ = std::move(elements);
        return true;
    }

    // Moves past the "</array>" that closes the array we are in.
    bool skipToArrayEnd() {
        int open = 1;
        for (;;) {
            const std::size_t lt = t_.find('<', pos_);
            if (lt == std::string_view::npos) return false;
            pos_ = lt + 1;
            const std::string_view rest = t_.substr(lt);
            if (rest.starts_with("<array>")) {
                ++open;
            } else if (rest.starts_with("</array>")) {
                if (--open == 0) {
                    pos_ = lt + std::string_view("</array>").size();
                    return true;
                }
            }
        }
    }

    bool structure(XmlRpcValue& out, int depth) {
        auto members = std::make_unique<XmlRpcValue::ValueStruct>();
        for (;;) {
            skipSpace();
            if (t_.substr(pos_).starts_with("</struct>")) break;
            if (!consume("<member>") || !consume("<name>")) return false;
            std::string_view name;
            if (!textToLt(name) || !consume("</name>")) return false;
            XmlRpcValue member;
            if (!value(member, depth + 1)) return false;
            if (!consume("</member>")) return false;
            // Member names are taken as they stand: escaped on the way out only.
            members->insert_or_assign(std::string(name), std::move(member));
        }
        if (!consume("</struct>")) return false;
        out.v_ = std::move(members);
        return true;
    }

    bool integer(int& v) {
        skipSpace();
        std::size_t p = pos_;
        if (p < t_.size() && t_[p] == '+') ++p;
        long long wide = 0;
        auto r = std::from_chars(t_.data() + p, t_.data() + t_.size(), wide);
        if (r.ec != std::errc() || wide < std::numeric_limits<int>::min() ||
            wide > std::numeric_limits<int>::max())
            return false;
        v = static_cast<int>(wide);
        pos_ = static_cast<std::size_t>(r.ptr - t_.data());
        return true;
    }

    bool real(double& v) {
        skipSpace();
        std::size_t p = pos_;
        if (p < t_.size() && t_[p] == '+') ++p;
        auto r = std::from_chars(t_.data() + p, t_.data() + t_.size(), v);
        if (r.ec != std::errc()) return false;
        pos_ = static_cast<std::size_t>(r.ptr - t_.data());
        return true;
    }

    static bool dateTime(std::string_view text, XmlRpcValue& out) {
        char buf[64];
        if (text.size() >= sizeof buf) return false;
        std::memcpy(buf, text.data(), text.size());
        buf[text.size()] = '\0';
        XmlRpcDateTime t;
        if (std::sscanf(buf, "%4d%2d%2dT%2d:%2d:%2d", &t.year, &t.month, &t.day, &t.hour, &t.minute,
                        &t.second) != 6)
            return false;
        out = t;
        return true;
    }

    bool textToLt(std::string_view& text) {
        std::size_t lt = t_.find('<', pos_);
        if (lt == std::string_view::npos) return false;
        text = t_.substr(pos_, lt - pos_);
        pos_ = lt;
        return true;
    }

    void skipSpace() {
        while (pos_ < t_.size() && isSpace(t_[pos_])) ++pos_;
    }

    bool consume(std::string_view tag) {
        skipSpace();
        if (!t_.substr(pos_).starts_with(tag)) return false;
        pos_ += tag.size();
        return true;
    }

    std::string_view t_;
    std::size_t pos_;
};

XmlRpcValue::XmlRpcValue(const void* data, int nBytes) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    v_ = BinaryData(bytes, bytes + (nBytes > 0 ? nBytes : 0));
}

XmlRpcValue::XmlRpcValue(const XmlRpcValue& other) {
    *this = other;
}

XmlRpcValue& XmlRpcValue::operator=(const XmlRpcValue& other) {
    if (this == &other) return *this;
    switch (other.getType()) {
        case TypeArray: {
            auto copy = std::make_unique<ValueArray>(*std::get<std::unique_ptr<ValueArray>>(other.v_));
            v_ = std::move(copy);
            break;
        }
        case TypeStruct: {
            auto copy = std::make_unique<ValueStruct>(*std::get<std::unique_ptr<ValueStruct>>(other.v_));
            v_ = std::move(copy);
            break;
        }
        case TypeInvalid:
            v_ = std::monostate{};
            break;
        case TypeBoolean:
            v_ = std::get<bool>(other.v_);
            break;
        case TypeInt:
            v_ = std::get<int>(other.v_);
            break;
        case TypeDouble:
            v_ = std::get<double>(other.v_);
            break;
        case TypeString:
            v_ = std::get<std::string>(other.v_);
            break;
        case TypeDateTime:
            v_ = std::get<XmlRpcDateTime>(other.v_);
            break;
        case TypeBase64:
            v_ = std::get<BinaryData>(other.v_);
            break;
    }
    return *this;
}

bool XmlRpcValue::operator==(const XmlRpcValue& other) const {
    if (getType() != other.getType()) return false;
    switch (getType()) {
        case TypeArray:
            return asArray() == other.asArray();
        case TypeStruct:
            return asStruct() == other.asStruct();
        default:
            return v_ == other.v_;
    }
}

int XmlRpcValue::size() const {
    switch (getType()) {
        case TypeString:
            return static_cast<int>(std::get<std::string>(v_).size());
        case TypeBase64:
            return static_cast<int>(std::get<BinaryData>(v_).size());
        case TypeArray:
            return static_cast<int>(asArray().size());
        case TypeStruct:
            return static_cast<int>(asStruct().size());
        default:
            throw XmlRpcException("type error");
    }
}

void XmlRpcValue::setSize(int n) {
    writableArray().resize(n > 0 ? static_cast<std::size_t>(n) : 0);
}

bool XmlRpcValue::hasMember(const std::string& name) const {
    return getType() == TypeStruct && asStruct().count(name) != 0;
}

XmlRpcValue::ValueArray& XmlRpcValue::writableArray() {
    if (getType() == TypeInvalid) v_ = std::make_unique<ValueArray>();
    if (getType() != TypeArray) throw XmlRpcException("type error: expected an array");
    return *std::get<std::unique_ptr<ValueArray>>(v_);
}

XmlRpcValue::ValueStruct& XmlRpcValue::writableStruct() {
    if (getType() == TypeInvalid) v_ = std::make_unique<ValueStruct>();
    if (getType() != TypeStruct) throw XmlRpcException("type error: expected a struct");
    return *std::get<std::unique_ptr<ValueStruct>>(v_);
}

const XmlRpcValue::ValueArray& XmlRpcValue::asArray() const {
    if (getType() != TypeArray) throw XmlRpcException("type error: expected an array");
    return *std::get<std::unique_ptr<ValueArray>>(v_);
}

const XmlRpcValue::ValueStruct& XmlRpcValue::asStruct() const {
    if (getType() != TypeStruct) throw XmlRpcException("type error: expected a struct");
    return *std::get<std::unique_ptr<ValueStruct>>(v_);
}

XmlRpcValue& XmlRpcValue::operator[](int i) {
    ValueArray& a = writableArray();
    if (i < 0) throw XmlRpcException("range error: array index too large");
    if (static_cast<std::size_t>(i) >= a.size()) a.resize(static_cast<std::size_t>(i) + 1);
    return a[static_cast<std::size_t>(i)];
}

const XmlRpcValue& XmlRpcValue::operator[](int i) const {
    const ValueArray& a = asArray();
    if (i < 0 || static_cast<std::size_t>(i) >= a.size())
        throw XmlRpcException("range error: array index too large");
    return a[static_cast<std::size_t>(i)];
}

XmlRpcValue& XmlRpcValue::operator[](const std::string& name) {
    return writableStruct()[name];
}

const XmlRpcValue& XmlRpcValue::operator[](const std::string& name) const {
    const ValueStruct& s = asStruct();
    auto it = s.find(name);
    if (it == s.end()) throw XmlRpcException("range error: no such member");
    return it->second;
}

bool XmlRpcValue::fromXml(const std::string& valueXml, int* offset) {
    if (offset == nullptr || *offset < 0) {
        clear();
        return false;
    }
    std::size_t pos = static_cast<std::size_t>(*offset);
    if (!fromXml(std::string_view(valueXml), pos)) return false;
    *offset = static_cast<int>(pos);
    return true;
}

bool XmlRpcValue::fromXml(std::string_view valueXml, std::size_t& pos) {
    clear();
    if (pos > valueXml.size()) return false;
    XmlRpcValueParser parser(valueXml, pos);
    XmlRpcValue parsed;
    if (!parser.value(parsed, 0)) return false;
    *this = std::move(parsed);
    pos = parser.pos();
    return true;
}

std::string XmlRpcValue::toXml() const {
    std::string out;
    appendXml(out);
    return out;
}

void XmlRpcValue::appendXml(std::string& out) const {
    switch (getType()) {
        case TypeInvalid:
            return;
        case TypeBoolean:
            out += std::get<bool>(v_) ? "<value><boolean>1</boolean></value>"
                                      : "<value><boolean>0</boolean></value>";
            return;
        case TypeInt:
            out += "<value><i4>";
            appendInt(out, std::get<int>(v_));
            out += "</i4></value>";
            return;
        case TypeDouble: {
            // "%f" in the C locale: six decimals, never a decimal comma, and
            // never cut short however large the number.
            char buf[400];
            auto r = std::to_chars(buf, buf + sizeof buf, std::get<double>(v_), std::chars_format::fixed, 6);
            out += "<value><double>";
            out.append(buf, r.ptr);
            out += "</double></value>";
            return;
        }
        case TypeString:
            out += "<value>";
            appendWireString(out, std::get<std::string>(v_));
            out += "</value>";
            return;
        case TypeDateTime: {
            const auto& t = std::get<XmlRpcDateTime>(v_);
            char buf[96];
            // Zero-padded: a space-padded year would not read back.
            int n = std::snprintf(buf, sizeof buf, "%04d%02d%02dT%02d:%02d:%02d", t.year, t.month, t.day,
                                  t.hour, t.minute, t.second);
            out += "<value><dateTime.iso8601>";
            out.append(buf, static_cast<std::size_t>(n));
            out += "</dateTime.iso8601></value>";
            return;
        }
        case TypeBase64: {
            const auto& b = std::get<BinaryData>(v_);
            out += "<value><base64>";
            appendBase64(out, b.data(), b.size());
            out += "</base64></value>";
            return;
        }
        case TypeArray:
            out += "<value><array><data>";
            for (const auto& element : asArray()) element.appendXml(out);
            out += "</data></array></value>";
            return;
        case TypeStruct:
            out += "<value><struct>";
            for (const auto& [name, member] : asStruct()) {
                out += "<member><name>";
                XmlRpcUtil::appendXmlEncoded(out, name);
                out += "</name>";
                member.appendXml(out);
                out += "</member>";
            }
            out += "</struct></value>";
            return;
    }
}

void XmlRpcValue::appendWireString(std::string& out, std::string_view latin1) {
    out.reserve(out.size() + latin1.size() + latin1.size() / 8);
    for (char c : latin1) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            switch (c) {
                case '<':
                    out += "&lt;";
                    break;
                case '>':
                    out += "&gt;";
                    break;
                case '&':
                    out += "&amp;";
                    break;
                case '\'':
                    out += "&apos;";
                    break;
                case '"':
                    out += "&quot;";
                    break;
                default:
                    out += c;
            }
        } else {
            out += static_cast<char>(0x80 | (b & 0x3F));
            out += static_cast<char>(0xC0 | (b >> 6));
        }
    }
}

std::string XmlRpcValue::decodeWireString(std::string_view wire) {
    std::string s = XmlRpcUtil::xmlDecode(wire);
    std::size_t out = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80 || i + 1 == s.size()) {
            // A high byte with no partner is kept as it stands.
            s[out++] = static_cast<char>(b);
        } else {
            auto n = static_cast<unsigned char>(s[i + 1]);
            s[out++] = static_cast<char>(((n << 6) | (b & 0x3F)) & 0xFF);
            ++i;
        }
    }
    s.resize(out);
    return s;
}

void XmlRpcValue::appendBase64(std::string& out, const unsigned char* data, std::size_t n) {
    // Sized once and written in place: megabytes go through here.
    const std::size_t start = out.size();
    out.resize(start + base64Size(n));
    char* p = out.data() + start;
    std::size_t i = 0;
    while (i < n) {
        const std::size_t lineEnd = n - i > kBase64LineBytes ? i + kBase64LineBytes : n;
        const bool fullLine = lineEnd - i == kBase64LineBytes;
        for (; i + 3 <= lineEnd; i += 3) {
            const uint32_t v = (uint32_t(data[i]) << 16) | (uint32_t(data[i + 1]) << 8) | data[i + 2];
            p[0] = kBase64Chars[(v >> 18) & 63];
            p[1] = kBase64Chars[(v >> 12) & 63];
            p[2] = kBase64Chars[(v >> 6) & 63];
            p[3] = kBase64Chars[v & 63];
            p += 4;
        }
        if (i < lineEnd) {
            uint32_t v = uint32_t(data[i]) << 16;
            if (i + 1 < lineEnd) v |= uint32_t(data[i + 1]) << 8;
            p[0] = kBase64Chars[(v >> 18) & 63];
            p[1] = kBase64Chars[(v >> 12) & 63];
            p[2] = (i + 1 < lineEnd) ? kBase64Chars[(v >> 6) & 63] : '=';
            p[3] = '=';
            p += 4;
            i = lineEnd;
        }
        if (fullLine) *p++ = '\n';
    }
}

XmlRpcValue::BinaryData XmlRpcValue::decodeBase64(std::string_view text) {
    BinaryData bytes;
    bytes.reserve(text.size() / 4 * 3);
    uint32_t acc = 0;
    int bits = 0;
    for (char c : text) {
        if (c == '=') break;
        int8_t v = kBase64Table[static_cast<unsigned char>(c)];
        if (v < 0) continue;
        acc = (acc << 6) | static_cast<uint32_t>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes.push_back(static_cast<unsigned char>((acc >> bits) & 0xFF));
        }
    }
    return bytes;
}

}  // namespace XmlRpc

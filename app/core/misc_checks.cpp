#include "core/misc_checks.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "core/text_escape.h"
#include "text/config_name_codec.h"
#include "text/text_codecs.h"

namespace {

std::u16string Wide(std::string_view text) {
    std::u16string out;
    Utf8ToUtf16String(out, text);
    return out;
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// "a.b.c.d", each part a decimal number 0..255 ("010" is 10).
std::optional<uint32_t> ParseDotted(std::u16string_view text) {
    if (text.size() >= 16) return std::nullopt;
    uint32_t value = 0;
    int parts = 0;
    std::size_t i = 0;
    while (parts < 4) {
        std::size_t start = i;
        unsigned part = 0;
        while (i < text.size() && IsDigit(text[i])) {
            part = part * 10 + (text[i] - u'0');
            if (part > 255) return std::nullopt;
            ++i;
        }
        if (i == start) return std::nullopt;
        value = (value << 8) | part;
        ++parts;
        if (parts < 4) {
            if (i >= text.size() || text[i] != u'.') return std::nullopt;
            ++i;
        }
    }
    if (i != text.size()) return std::nullopt;
    return value;
}

bool LoopbackAllowed() {
    const char* value = std::getenv(kAllowLoopbackSensorVariable);
    return value && std::string_view(value) == "1";
}

}  // namespace

int CMisc::GetLocalAddresses(std::u16string& address, std::u16string& mask) {
    address.clear();
    mask.clear();
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        addrinfo* found = nullptr;
        if (getaddrinfo(host, nullptr, &hints, &found) == 0 && found) {
            char text[INET_ADDRSTRLEN] = {};
            auto* in = reinterpret_cast<sockaddr_in*>(found->ai_addr);
            if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text)) address = Wide(text);
            freeaddrinfo(found);
        }
    }
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return errno;
    // The last interface that is not loopback, as the interface walk went from the end.
    const ifaddrs* chosen = nullptr;
    for (const ifaddrs* i = list; i; i = i->ifa_next)
        if (i->ifa_addr && i->ifa_netmask && i->ifa_addr->sa_family == AF_INET &&
            !(i->ifa_flags & IFF_LOOPBACK))
            chosen = i;
    int result = -1;
    if (chosen) {
        char text[INET_ADDRSTRLEN] = {};
        auto* in = reinterpret_cast<const sockaddr_in*>(chosen->ifa_netmask);
        if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text)) {
            mask = Wide(text);
            result = 0;
        }
    }
    freeifaddrs(list);
    return result;
}

std::array<int, 4> CMisc::SplitAddress(std::u16string_view text) {
    std::array<int, 4> parts{0, 0, 0, 0};
    std::size_t start = 0;
    for (int k = 0; k < 4 && start <= text.size(); ++k) {
        std::size_t dot = text.find(u'.', start);
        std::u16string_view part =
            text.substr(start, dot == std::u16string_view::npos ? std::u16string_view::npos : dot - start);
        // Leading digits as atoi reads them; a saturated value stays large.
        long value = 0;
        std::size_t i = 0;
        while (i < part.size() && part[i] == u' ') ++i;
        bool negative = i < part.size() && part[i] == u'-';
        if (i < part.size() && (part[i] == u'-' || part[i] == u'+')) ++i;
        for (; i < part.size() && IsDigit(part[i]) && value < 100000000; ++i)
            value = value * 10 + (part[i] - u'0');
        parts[k] = static_cast<int>(negative ? -value : value);
        if (dot == std::u16string_view::npos) break;
        start = dot + 1;
    }
    return parts;
}

bool CMisc::IsValidOctet(std::u16string_view text) {
    if (text.empty() || text.size() > 3) return false;
    int value = 0;
    for (char16_t c : text) {
        if (!IsDigit(c)) return false;
        value = value * 10 + (c - u'0');
    }
    return value <= 255;
}

bool CMisc::IsPlausibleAddress(int a, int b, int c, int d) {
    static constexpr int kRefused[][4] = {
        {0, 0, 0, 0},     {10, 0, 0, 0},    {14, 0, 0, 0},     {24, 0, 0, 0},   {39, 0, 0, 0},
        {127, 0, 0, 0},   {128, 0, 0, 0},   {192, 0, 0, 0},    {224, 0, 0, 0},  {240, 0, 0, 0},
        {169, 254, 0, 0}, {172, 16, 0, 0},  {191, 255, 0, 0},  {198, 18, 0, 0}, {192, 0, 2, 0},
        {192, 88, 99, 0}, {192, 168, 0, 0}, {223, 255, 255, 0},
        // The broadcast to every host is no host either.
        {255, 255, 255, 255}};
    for (const auto& r : kRefused)
        if (a == r[0] && b == r[1] && c == r[2] && d == r[3]) return false;
    return true;
}

std::u16string CMisc::FormatAddress(int a, int b, int c, int d) {
    std::string text =
        std::to_string(a) + "." + std::to_string(b) + "." + std::to_string(c) + "." + std::to_string(d);
    return Wide(text);
}

bool CMisc::IsValidPort(int port) {
    return port >= 1024 && port <= 65535;
}

int CMisc::CheckAddressClass(std::u16string_view address) {
    std::optional<uint32_t> parsed = ParseDotted(address);
    if (!parsed) return -1;
    uint32_t v = *parsed;
    unsigned a = v >> 24, d = v & 0xFF;
    if ((v >> 24) == 10 || (v >> 20) == (172u << 4 | 1) || (v >> 16) == (192u << 8 | 168)) return 0;
    if (v == 0) return -1;
    if (a == 127) return LoopbackAllowed() ? 0 : -1;
    if (a >= 129 && a <= 191) return d >= 1 && d <= 254 ? 0 : -1;
    if (a >= 192 && a <= 223) return 0;
    return -1;
}

bool CMisc::IsInsideImage(unsigned x, unsigned y) {
    return x < 640 && y < 480;
}

int CMisc::GetUnescapedLength(std::u16string_view text) {
    int length = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t escape = text.find(u"\\x", i);
        if (escape == std::u16string_view::npos) return length + static_cast<int>(text.size() - i);
        length += static_cast<int>(escape - i);
        if (text.size() - escape < 4) return length + static_cast<int>(text.size() - escape);
        length += 1;
        i = escape + 4;
    }
    return length;
}

int CMisc::GetCodeTypeStringId(int codeType) {
    if (codeType >= 0 && codeType <= 22) return 7162 + codeType;
    if (codeType >= 23 && codeType <= 36) return 19987 + codeType;
    return -1;
}

int CMisc::ValidateSensorName(std::u16string_view name) {
    if (name.empty()) return -19011;
    if (name.size() > 32) return -19010;
    static constexpr std::u16string_view kReserved[] = {u"CON", u"PRN", u"AUX", u"NUL", u"CLOCK$"};
    auto upper = [](std::u16string_view s) {
        std::u16string out(s);
        for (char16_t& c : out)
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        return out;
    };
    std::u16string u = upper(name);
    for (auto r : kReserved)
        if (u == r) return -19014;
    if (u.size() == 4 && (u.starts_with(u"COM") || u.starts_with(u"LPT")) && u[3] >= u'1' && u[3] <= u'9')
        return -19014;
    for (char16_t c : name)
        if (c < 31 || (c >= 127 && c <= 191) || c == u'@') return -19012;
    if (name.front() == u' ') return -19013;
    if (name.back() == u' ') return -19012;
    return 0;
}

std::u16string CMisc::DecodeConfigLabel(std::string_view label) {
    if (label.empty()) return {};
    std::size_t close = label.find(')');
    if (close == std::string_view::npos) return Wide(label);
    std::u16string kept = Wide(label.substr(0, close + 1));
    std::string_view rest = label.substr(close + 1);
    if (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    return kept + u" " + DecodeSensorText(rest);
}

QualityTreeItem CMisc::MakeQualityTreeItem(const QualityTextLookup& text, int stringId, int level,
                                           int selected) {
    QualityTreeItem item;
    if (text) item.text = text(stringId).substr(0, 1024);
    item.level = level;
    item.selected = selected;
    return item;
}

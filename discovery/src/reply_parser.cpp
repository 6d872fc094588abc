#include "reply_parser.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace sonvira {
namespace {

// Splits off one field; false when it has no separator.
bool takeField(std::string_view& rest, std::string_view& field) {
    std::size_t end = rest.find(kFieldEnd);
    if (end == std::string_view::npos) {
        field = rest;
        rest = {};
        return false;
    }
    field = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    return true;
}

template <std::size_t N>
void copyCut(char (&target)[N], std::string_view text) {
    std::size_t n = std::min(text.size(), N - 1);
    std::memcpy(target, text.data(), n);
    target[n] = '\0';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A decimal number with optional blanks around it and an optional sign.
bool readNumber(std::string_view field, int32_t& value) {
    while (!field.empty() && isBlank(field.front())) field.remove_prefix(1);
    while (!field.empty() && isBlank(field.back())) field.remove_suffix(1);
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    if (field.empty()) return false;
    auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    return ec == std::errc() && end == field.data() + field.size();
}

bool knownType(std::string_view type) {
    static constexpr std::array<std::string_view, 4> kTypes = {"R5T", "T6Q", "K7M", "R5T_OV"};
    return std::find(kTypes.begin(), kTypes.end(), type) != kTypes.end();
}

}  // namespace

DiscoveryStatus parseDiscoveryReply(std::string_view reply, SensorDiscoveryRecord& record) {
    reply = reply.substr(0, reply.find('\0'));
    std::string_view field;
    bool terminated = takeField(reply, field);
    if (field != kSensorIdentification) return SONVIRA_NOT_FOUND;
    if (!terminated) return SONVIRA_REPLY_TRUNCATED;

    std::array<std::string_view, 6> texts;  // type, name, second text, IP, mask, MAC
    for (auto& text : texts) {
        terminated = takeField(reply, text);
        if (!terminated) return SONVIRA_REPLY_TRUNCATED;
    }
    copyCut(record.type, texts[0]);
    copyCut(record.name, texts[1]);
    copyCut(record.secondText, texts[2]);
    copyCut(record.ip, texts[3]);
    copyCut(record.mask, texts[4]);
    copyCut(record.mac, texts[5]);
    if (!knownType(texts[0])) return SONVIRA_REPLY_UNKNOWN_TYPE;

    // The numbers need no separator after them.
    std::array<int32_t, 3> numbers{};
    int read = 0;
    for (auto& number : numbers) {
        takeField(reply, field);
        if (!readNumber(field, number)) break;
        ++read;
    }
    record.dhcp = numbers[0] != 0 ? 1 : 0;
    record.number1 = numbers[1];
    record.number2 = numbers[2];
    return read == 3 ? SONVIRA_FOUND : SONVIRA_REPLY_BAD_NUMBER;
}

}  // namespace sonvira

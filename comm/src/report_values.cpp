#include "report_values.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace dravik {

namespace {

template <std::size_t N>
std::string_view pick(const std::array<std::string_view, N>& table, int index, std::string_view other) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? table[static_cast<std::size_t>(index)] : other;
}

constexpr std::array<std::string_view, 37> kCodeTypes = {
    "",
    "Data Matrix ECC 200",
    "PDF417",
    "QR Code",
    "EAN-13",
    "EAN-13 Add-On 2",
    "EAN-13 Add-On 5",
    "EAN-8",
    "EAN-8 Add-On 2",
    "EAN-8 Add-On 5",
    "2/5 Industrial",
    "2/5 Interleaved",
    "Code 39",
    "Code 128",
    "PharmaCode",
    "Codabar",
    "Code 93",
    "UPC-A",
    "UPC-A Add-On 2",
    "UPC-A Add-On 5",
    "UPC-E",
    "UPC-E Add-On 2",
    "UPC-E Add-On 5",
    "GS1 DataBar Omnidir",
    "GS1 DataBar Truncated",
    "GS1 DataBar Stacked",
    "GS1 DataBar Stacked Omnidir",
    "GS1 DataBar Limited",
    "GS1 DataBar Expanded",
    "GS1 DataBar Expanded Stacked",
    "GS1-128",
    "MSI",
    "Micro QR Code",
    "Aztec Code",
    "GS1 DataMatrix",
    "GS1 QR Code",
    "GS1 Aztec Code",
};

constexpr std::array<std::string_view, 9> kFilters = {
    "None",        "Median r=2",   "Median r=3",   "Median r=4", "Erosion 3x3",
    "Erosion 5x5", "Dilation 3x3", "Dilation 5x5", "Invert",
};

constexpr std::array<std::string_view, 3> kRecognition = {
    "STANDARD_RECOGNITION",
    "ENHANCED_RECOGNITION",
    "OPTIMISED_RECOGNITION",
};

constexpr std::array<std::string_view, 7> kWorkingModes = {
    "Compare",
    "Compare (ignore case)",
    "Pattern match",
    "Pattern match (ignore case)",
    "Regular expression match",
    "Regular expression match (ignore case)",
    "Reader",
};

constexpr std::array<std::string_view, 5> kTriggerSources = {
    "Trigger Input (Positive Edge)",
    "Trigger Input (Negative Edge)",
    "Serial Line / TCP/IP / EtherNet/IP",
    "Internal (Free Running)",
    "Trigger Input (Both positive and negative Edges)",
};

// Microseconds, ascending: fine steps for short exposures, coarser ones up
// to the sensor's longest.
constexpr std::array<int, 35> kExposureTimes = {
    1,   10,  20,  30,  40,   50,   60,   70,   80,   90,   100,  110,  120,  150,  200,   250,   300,   400,
    500, 600, 700, 800, 1000, 1200, 1500, 2000, 2500, 3000, 4000, 5000, 6000, 8000, 10000, 12000, 15000,
};

bool isNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

}  // namespace

std::string_view CodeTypeName(int codeType) {
    return pick(kCodeTypes, codeType, "INVALID CODE TYPE");
}

std::string_view FilterName(int filter) {
    return pick(kFilters, filter, "None");
}

std::string_view RecognitionName(int recognition) {
    return pick(kRecognition, recognition, "");
}

std::string_view WorkingModeName(int mode) {
    return pick(kWorkingModes, mode, "");
}

std::string_view GradeLetter(int grade) {
    constexpr std::array<std::string_view, 5> kLetters = {"F", "D", "C", "B", "A"};
    return pick(kLetters, grade, "F");
}

std::string_view TriggerSourceName(int source) {
    return pick(kTriggerSources, source, "");
}

int RoundedExposureTime(int microseconds) {
    for (std::size_t i = 0; i + 1 < kExposureTimes.size(); ++i) {
        // Compared doubled, so half a step needs no rounding.
        if (2LL * microseconds <= 2LL * kExposureTimes[i] + (kExposureTimes[i + 1] - kExposureTimes[i]))
            return kExposureTimes[i];
    }
    return microseconds <= kExposureTimes.back() ? kExposureTimes.back() : 0;
}

std::string IlluminationText(int segments) {
    std::string text;
    for (int bit = 3; bit >= 0; --bit) text += (segments >> bit) & 1 ? "On " : "Off ";
    return text;
}

std::string PercentText(long long part, long long whole) {
    // No readings yet is no percentage at all, not a division by zero.
    const double percent = whole == 0 ? 0.0 : static_cast<double>(part) * 100.0 / static_cast<double>(whole);
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, percent, std::chars_format::fixed, 2);
    return std::string(text, end.ptr) + " %";
}

std::string SlotNameText(int slotNumber, std::string_view name) {
    char number[16];
    std::snprintf(number, sizeof number, "(%02d) ", slotNumber);
    return number + std::string(name);
}

std::string_view ElementName(std::string_view name, std::string_view fallback) {
    if (name.empty() || !isNameStart(name.front()) || name.size() > 64) return fallback;
    for (const char c : name)
        if (!isNameChar(c)) return fallback;
    // "xml" in any case starts the names XML keeps for itself.
    if (name.size() >= 3 && (name[0] | 0x20) == 'x' && (name[1] | 0x20) == 'm' && (name[2] | 0x20) == 'l')
        return fallback;
    return name;
}

}  // namespace dravik

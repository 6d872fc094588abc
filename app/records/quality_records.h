// Quality parameters: for each parameter an output flag and a grade, kept
// for all code families in one record of 36 slots, and the tree rows that
// the quality dialog shows with one check box per parameter.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

struct QualityPair {
    int32_t appendIt = 0;  // item "append_it": 0 or 1
    int32_t grade = 0;     // item "grade"
};

// Slot 0 is the overall grade; which slots a family uses is in quality_slots.h.
struct QualitySettings {
    static constexpr int kSlotCount = 36;
    std::array<QualityPair, kSlotCount> slots{};
};

struct QualityTreeItem {
    static constexpr int kHeading = 2;  // `selected` of a row without a check box

    std::u16string text;
    int level = 1;     // indentation, 1 to 3
    int selected = 0;  // 0 or 1 (the slot's appendIt), or kHeading
};

// Keyed by the parameter's "append_it" position; headings use keys that are
// never such a position.
using QualityTreeMap = std::map<int, QualityTreeItem>;

// The text of a language string id (the quality dialog loads them from the
// language library).
using QualityTextLookup = std::function<std::u16string(int textId)>;

// Which quality converter serves a code type, by its CodeTypeFlags.
enum class QualityFamily {
    None,
    Ecc200QrAztec,  // CECC200QualityParams
    Pdf417,         // CPDF417QualityParams
    Barcode,        // CBarcodeQualityParams
};

// The 2D families first (ECC 200, QR Code, Aztec Code), then PDF417, then bar codes.
constexpr QualityFamily QualityFamilyFor(uint8_t codeTypeFlags) {
    if (codeTypeFlags & 0x58) return QualityFamily::Ecc200QrAztec;
    if (codeTypeFlags & 0x20) return QualityFamily::Pdf417;
    if (codeTypeFlags & 0x01) return QualityFamily::Barcode;
    return QualityFamily::None;
}

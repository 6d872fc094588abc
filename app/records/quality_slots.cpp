#include "records/quality_slots.h"

#include <iterator>

#include "records/parameter_items.h"
#include "records/record_fields.h"

namespace {

constexpr QualitySlot kEcc200[] = {
    {0, 1, 0},     {1, 17, 8311}, {2, 5, 8308},  {3, 21, 8304}, {4, 25, 8312},
    {5, 29, 8305}, {6, 33, 8303}, {7, 13, 8310}, {8, 9, 8309},
};

constexpr QualitySlot kPdf417[] = {
    {0, 1, 0},      {9, 5, 8313},   {8, 9, 8309},  {10, 13, 8314},
    {11, 17, 8315}, {12, 21, 8316}, {5, 25, 8305}, {6, 29, 8303},
};

constexpr QualitySlot kBarcode[] = {
    {0, 1, 0},      {15, 5, 8311},  {16, 9, 8302},  {17, 13, 20039}, {18, 17, 20040},
    {19, 21, 8309}, {20, 25, 8313}, {21, 29, 8315}, {22, 33, 20041},
};

// The eight bar-code parameters move back by two sections, the composite
// component's parameters follow them.
constexpr QualitySlot kComposite[] = {
    {0, 1, 0},       {13, 5, 20036}, {14, 9, 20037},  {15, 13, 8311},  {16, 17, 8302},  {17, 21, 20039},
    {18, 25, 20040}, {19, 29, 8309}, {20, 33, 8313},  {21, 37, 8315},  {22, 41, 20041}, {23, 45, 8311},
    {24, 49, 20043}, {25, 53, 8308}, {26, 57, 20039}, {27, 61, 20040}, {28, 65, 8309},  {29, 69, 8313},
    {30, 73, 8315},  {31, 77, 8316}, {32, 81, 8305},  {33, 85, 8309},  {34, 89, 8315},  {35, 93, 8313},
};

}  // namespace

// Four items per parameter.
const QualityTemplate kEcc200Quality{std::size(kEcc200) * 4, kEcc200};
const QualityTemplate kPdf417Quality{std::size(kPdf417) * 4, kPdf417};
const QualityTemplate kBarcodeQuality{std::size(kBarcode) * 4, kBarcode};
const QualityTemplate kCompositeQuality{std::size(kComposite) * 4, kComposite};

int WriteQualityPairs(ParameterList& list, const QualityTemplate& quality, const QualitySettings& settings) {
    int status = CheckLength(list, quality.itemCount);
    for (const QualitySlot& s : quality.slots) {
        const QualityPair& pair = settings.slots[s.slot];
        if (ParameterItems::WriteInt(list, "append_it", s.appendItPos, pair.appendIt) != ParameterItems::kOk)
            status = ParameterItems::kFailed;
        if (ParameterItems::WriteInt(list, "grade", s.appendItPos + 1, pair.grade) != ParameterItems::kOk)
            status = ParameterItems::kFailed;
    }
    return status;
}

int ReadQualityPair(const ParameterList& list, int appendItPos, QualityPair& pair) {
    const int appendIt = ParameterItems::ReadInt(list, appendItPos, &pair.appendIt);
    const int grade = ParameterItems::ReadInt(list, appendItPos + 1, &pair.grade);
    return appendIt == ParameterItems::kOk && grade == ParameterItems::kOk ? ParameterItems::kOk
                                                                           : ParameterItems::kFailed;
}

int ReadQualityPairs(const ParameterList& list, const QualityTemplate& quality, QualitySettings& settings) {
    int status = CheckLength(list, quality.itemCount);
    for (const QualitySlot& s : quality.slots)
        if (ReadQualityPair(list, s.appendItPos, settings.slots[s.slot]) != ParameterItems::kOk)
            status = ParameterItems::kFailed;
    return status;
}

void BuildQualityRows(QualityTreeMap& map, std::span<const QualitySlot> slots,
                      const QualitySettings& settings, const QualityTextLookup& text) {
    for (const QualitySlot& s : slots) {
        if (s.textId == 0) continue;
        map.try_emplace(s.appendItPos, QualityTreeItem{text ? text(s.textId) : std::u16string(), 1,
                                                       settings.slots[s.slot].appendIt});
    }
}

void ReadQualityRows(const QualityTreeMap& map, std::span<const QualitySlot> slots,
                     QualitySettings& settings) {
    for (const QualitySlot& s : slots) {
        if (s.textId == 0) continue;
        const auto row = map.find(s.appendItPos);
        if (row != map.end()) settings.slots[s.slot].appendIt = row->second.selected;
    }
}

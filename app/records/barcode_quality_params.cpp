#include "records/barcode_quality_params.h"

#include "records/parameter_items.h"
#include "records/quality_slots.h"
#include "records/record_fields.h"

namespace {

bool isStandardSlot(int slot) {
    return slot >= 15 && slot <= 22;
}

const QualityTemplate& templateOf(bool composite) {
    return composite ? kCompositeQuality : kBarcodeQuality;
}

// The composite component's parameters (slots 13, 14 and 23 to 35), shown
// under headings and indented by their place in the template.
bool isCompositeSlot(int slot) {
    return slot == 13 || slot == 14 || slot >= 23;
}

int compositeLevel(int slot) {
    if (slot <= 14) return 1;
    if (slot >= 25 && slot <= 30) return 3;
    return 2;
}

struct Heading {
    int key;  // never a parameter's position
    int textId;
    int level;
};
constexpr Heading kCompositeHeadings[] = {{12, 20038, 1}, {44, 20042, 1}, {52, 20044, 2}};

QualityTreeItem rowOf(const QualityTextLookup& text, int textId, int level, int selected) {
    return QualityTreeItem{text ? text(textId) : std::u16string(), level, selected};
}

}  // namespace

int CBarcodeQualityParams::WriteAll(ParameterList& list, const QualitySettings& settings,
                                    bool composite) const {
    return WriteQualityPairs(list, templateOf(composite), settings);
}

int CBarcodeQualityParams::ReadAll(const ParameterList& list, QualitySettings& settings,
                                   bool composite) const {
    const QualityTemplate& quality = templateOf(composite);
    int status = CheckLength(list, quality.itemCount);
    for (const QualitySlot& s : quality.slots) {
        QualityPair& pair = settings.slots[s.slot];
        if (ParameterItems::ReadIntChecked(list, s.appendItPos, &pair.appendIt) != ParameterItems::kOk)
            status = ParameterItems::kFailed;
        if (ParameterItems::ReadIntChecked(list, s.appendItPos + 1, &pair.grade) != ParameterItems::kOk)
            status = ParameterItems::kFailed;
    }
    return status;
}

int CBarcodeQualityParams::SetAllAppendFlags(QualitySettings& settings, bool onlyComposite, int value) const {
    for (int slot = 13; slot < QualitySettings::kSlotCount; ++slot)
        if (!onlyComposite || !isStandardSlot(slot)) settings.slots[slot].appendIt = value;
    return value;
}

void CBarcodeQualityParams::BuildTreeMap(QualityTreeMap& map, const QualitySettings& settings,
                                         const QualityTextLookup& text, bool composite,
                                         bool showComposite) const {
    const bool both = composite && showComposite;
    const int standardLevel = both ? 2 : 1;
    // Keys are the parameters' positions in the template the sensor uses.
    for (const QualitySlot& s : templateOf(composite).slots) {
        if (isStandardSlot(s.slot))
            map.try_emplace(s.appendItPos,
                            rowOf(text, s.textId, standardLevel, settings.slots[s.slot].appendIt));
        else if (both && isCompositeSlot(s.slot))
            map.try_emplace(s.appendItPos,
                            rowOf(text, s.textId, compositeLevel(s.slot), settings.slots[s.slot].appendIt));
    }
    if (!both) return;
    for (const Heading& h : kCompositeHeadings)
        map.try_emplace(h.key, rowOf(text, h.textId, h.level, QualityTreeItem::kHeading));
}

void CBarcodeQualityParams::ReadTreeMap(const QualityTreeMap& map, QualitySettings& settings,
                                        bool composite) const {
    for (const QualitySlot& s : templateOf(composite).slots) {
        const auto row = map.find(s.appendItPos);
        if (isStandardSlot(s.slot)) {
            if (row != map.end()) settings.slots[s.slot].appendIt = row->second.selected;
        } else if (isCompositeSlot(s.slot)) {
            // A composite row the dialog did not show turns its output off.
            settings.slots[s.slot].appendIt = row != map.end() ? row->second.selected : 0;
        }
    }
}

// Where each quality slot stands in the quality templates, and the item
// work the three quality converters share. Every parameter is a section of
// four items: begin, "append_it" (INT), "grade" (INT), end; the converters
// touch only the two values, the markers stay as the get left them.
#pragma once

#include <cstddef>
#include <span>

#include "dravik/parameter_list.h"
#include "records/quality_records.h"

struct QualitySlot {
    int slot;         // index into QualitySettings::slots
    int appendItPos;  // the "grade" item follows it
    int textId;       // language string of its tree row; 0 for the overall grade (no row)
};

struct QualityTemplate {
    std::size_t itemCount;
    std::span<const QualitySlot> slots;
};

// Data Matrix ECC 200, QR Code and Aztec Code (1003).
extern const QualityTemplate kEcc200Quality;
// PDF417 (1009).
extern const QualityTemplate kPdf417Quality;
// Bar codes (2003).
extern const QualityTemplate kBarcodeQuality;
// Bar codes with a composite component (2004).
extern const QualityTemplate kCompositeQuality;

// Writes each slot's pair at its positions; -1 when any item could not be
// written or the list is shorter than the template.
int WriteQualityPairs(ParameterList& list, const QualityTemplate& quality, const QualitySettings& settings);

// Reads the pair at appendItPos and the next position; -1 when either is
// missing or not an INT (the pair then keeps what it could not read).
int ReadQualityPair(const ParameterList& list, int appendItPos, QualityPair& pair);

int ReadQualityPairs(const ParameterList& list, const QualityTemplate& quality, QualitySettings& settings);

// One row per slot (the overall grade has none), all at level 1.
void BuildQualityRows(QualityTreeMap& map, std::span<const QualitySlot> slots,
                      const QualitySettings& settings, const QualityTextLookup& text);

// Each slot's appendIt := its row's `selected`; a slot without a row keeps its value.
void ReadQualityRows(const QualityTreeMap& map, std::span<const QualitySlot> slots,
                     QualitySettings& settings);

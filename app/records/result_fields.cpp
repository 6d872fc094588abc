#include "records/result_fields.h"

#include "records/quality_records.h"
#include "records/quality_slots.h"

QualityPair qualityPairAt(const QualitySettings* quality, QualityLines family, std::size_t i) {
    const QualityTemplate& form = family == QualityLines::Ecc200QrAztec ? kEcc200Quality
                                  : family == QualityLines::Pdf417      ? kPdf417Quality
                                  : family == QualityLines::Barcode     ? kBarcodeQuality
                                                                        : kCompositeQuality;
    if (!quality || i >= form.slots.size()) return {0, -1};
    return quality->slots[static_cast<std::size_t>(form.slots[i].slot)];
}

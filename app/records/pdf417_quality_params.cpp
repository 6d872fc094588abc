#include "records/pdf417_quality_params.h"

const QualityTemplate& CPDF417QualityParams::Template() {
    return kPdf417Quality;
}

int CPDF417QualityParams::SetAllAppendFlags(QualitySettings& settings) const {
    for (int slot : {5, 6, 8, 9, 10, 11, 12}) settings.slots[slot].appendIt = 1;
    return 1;
}

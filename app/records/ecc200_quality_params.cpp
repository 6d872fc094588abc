#include "records/ecc200_quality_params.h"

const QualityTemplate& CECC200QualityParams::Template() {
    return kEcc200Quality;
}

int CECC200QualityParams::SetAllAppendFlags(QualitySettings& settings) const {
    for (int slot = 1; slot <= 8; ++slot) settings.slots[slot].appendIt = 1;
    return 1;
}

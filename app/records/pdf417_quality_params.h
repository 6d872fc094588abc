// Quality parameters of PDF417 (template 1009: eight parameters in slots
// 0, 9, 8, 10, 11, 12, 5, 6 of QualitySettings).
#pragma once

#include "records/quality_params_2d.h"

class CPDF417QualityParams : public QualityParams2D<CPDF417QualityParams> {
public:
    static const QualityTemplate& Template();

    // appendIt := 1 in slots 5, 6, 8, 9, 10, 11, 12; returns 1.
    int SetAllAppendFlags(QualitySettings& settings) const;

private:
    friend class ConverterSingleton<CPDF417QualityParams>;
    CPDF417QualityParams() = default;
};

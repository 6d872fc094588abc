// Quality parameters of Data Matrix ECC 200, QR Code and Aztec Code
// (template 1003: nine parameters in slots 0 to 8 of QualitySettings).
#pragma once

#include "records/quality_params_2d.h"

class CECC200QualityParams : public QualityParams2D<CECC200QualityParams> {
public:
    static const QualityTemplate& Template();

    // appendIt := 1 in slots 1 to 8; returns 1.
    int SetAllAppendFlags(QualitySettings& settings) const;

private:
    friend class ConverterSingleton<CECC200QualityParams>;
    CECC200QualityParams() = default;
};

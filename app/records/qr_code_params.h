// The QR Code data list (template 1011) and its settings record.
// Extract returns 0, or -1 when an item is missing or of another type (those
// fields keep their values); WriteParams fills the list the last get left
// and returns 0, or -1 when any item could not be written.
#pragma once

#include "dravik/parameter_list.h"
#include "records/code_type_records.h"
#include "records/converter_singleton.h"

class CQRCodeParams : public ConverterSingleton<CQRCodeParams> {
public:
    int Extract(const ParameterList& list, QRCodeSettings& settings) const;
    int WriteParams(ParameterList& list, const QRCodeSettings& settings) const;

private:
    friend class ConverterSingleton<CQRCodeParams>;
    CQRCodeParams() = default;
};

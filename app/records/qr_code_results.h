// The result of one QR Code, from the list of GetQRCodeResult.
#pragma once

#include "dravik/parameter_list.h"
#include "records/converter_singleton.h"
#include "records/result_records.h"

class CQRCodeResults : public ConverterSingleton<CQRCodeResults> {
public:
    // Copies the list's items into record; -1 when an item is missing or of
    // another type (the record then keeps those fields as they were).
    int Extract(const ParameterList& list, QrCodeResultRecord& record) const;

private:
    friend class ConverterSingleton<CQRCodeResults>;
    CQRCodeResults() = default;
};

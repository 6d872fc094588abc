// The bar-code data list (template 1001) and its settings record; the
// record's composite fields belong to the configuration and stay untouched.
// Extract returns 0, or -1 when an item is missing or of another type (those
// fields keep their values); WriteParams fills the list the last get left
// and returns 0, or -1 when any item could not be written.
#pragma once

#include "dravik/parameter_list.h"
#include "records/code_type_records.h"
#include "records/converter_singleton.h"

class CExtractBarCode : public ConverterSingleton<CExtractBarCode> {
public:
    int Extract(const ParameterList& list, BarCodeSettings& settings) const;
    int WriteParams(ParameterList& list, const BarCodeSettings& settings) const;

private:
    friend class ConverterSingleton<CExtractBarCode>;
    CExtractBarCode() = default;
};

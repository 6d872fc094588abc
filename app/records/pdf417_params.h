// The PDF417 data list (template 1008) and its settings record.
// Extract returns 0, or -1 when an item is missing or of another type (those
// fields keep their values); WriteParams fills the list the last get left
// and returns 0, or -1 when any item could not be written.
#pragma once

#include "dravik/parameter_list.h"
#include "records/code_type_records.h"
#include "records/converter_singleton.h"

class CPdf417Params : public ConverterSingleton<CPdf417Params> {
public:
    int Extract(const ParameterList& list, PDF417Settings& settings) const;
    int WriteParams(ParameterList& list, const PDF417Settings& settings) const;

private:
    friend class ConverterSingleton<CPdf417Params>;
    CPdf417Params() = default;
};

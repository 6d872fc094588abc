// The result of one Aztec Code, from the list of GetAztecCodeResult.
#pragma once

#include "dravik/parameter_list.h"
#include "records/converter_singleton.h"
#include "records/result_records.h"

class CAztecCodeResults : public ConverterSingleton<CAztecCodeResults> {
public:
    // Copies the list's items into record; -1 when an item is missing or of
    // another type (the record then keeps those fields as they were).
    int Extract(const ParameterList& list, AztecResultRecord& record) const;

private:
    friend class ConverterSingleton<CAztecCodeResults>;
    CAztecCodeResults() = default;
};

// The general result of one reading, from the list of GetTestConfigResult.
#pragma once

#include "dravik/parameter_list.h"
#include "records/converter_singleton.h"
#include "records/result_records.h"

class CResults : public ConverterSingleton<CResults> {
public:
    // Copies the list's items into record; -1 when an item is missing or of
    // another type (the record then keeps those fields as they were).
    int Extract(const ParameterList& list, ReadResultRecord& record) const;

private:
    friend class ConverterSingleton<CResults>;
    CResults() = default;
};

// The result of one PDF417 code, from the list of GetPDF417Result.
#pragma once

#include "dravik/parameter_list.h"
#include "records/converter_singleton.h"
#include "records/result_records.h"

class CPDF417Results : public ConverterSingleton<CPDF417Results> {
public:
    // Copies the list's items into record; -1 when an item is missing or of
    // another type (the record then keeps those fields as they were).
    int Extract(const ParameterList& list, Pdf417ResultRecord& record) const;

private:
    friend class ConverterSingleton<CPDF417Results>;
    CPDF417Results() = default;
};

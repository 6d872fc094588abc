// The result of one Data Matrix ECC 200 code, from the list of GetECC200Result.
#pragma once

#include "dravik/parameter_list.h"
#include "records/converter_singleton.h"
#include "records/result_records.h"

class CECC200Results : public ConverterSingleton<CECC200Results> {
public:
    // Copies the list's items into record; -1 when an item is missing or of
    // another type (the record then keeps those fields as they were).
    int Extract(const ParameterList& list, Ecc200ResultRecord& record) const;

private:
    friend class ConverterSingleton<CECC200Results>;
    CECC200Results() = default;
};

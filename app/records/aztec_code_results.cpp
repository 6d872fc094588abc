#include "records/aztec_code_results.h"

#include "records/record_fields.h"

int CAztecCodeResults::Extract(const ParameterList& list, AztecResultRecord& r) const {
    return ReadInOrder(list, r.texts0, r.ints3, r.doubles6, r.ints9);
}

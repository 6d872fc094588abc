#include "records/pdf417_results.h"

#include "records/record_fields.h"

int CPDF417Results::Extract(const ParameterList& list, Pdf417ResultRecord& r) const {
    return ReadInOrder(list, r.texts0, r.ints3, r.doubles5, r.ints8);
}

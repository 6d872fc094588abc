#include "records/ecc200_results.h"

#include "records/record_fields.h"

int CECC200Results::Extract(const ParameterList& list, Ecc200ResultRecord& r) const {
    return ReadInOrder(list, r.texts0, r.ints3, r.doubles5, r.ints8);
}

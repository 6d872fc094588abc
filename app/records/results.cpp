#include "records/results.h"

#include "records/record_fields.h"

int CResults::Extract(const ParameterList& list, ReadResultRecord& r) const {
    return ReadInOrder(list, r.ints0, r.text4, r.ints5, r.text8, r.int9, r.text10, r.ints11, r.texts29);
}

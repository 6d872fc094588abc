#include "records/qr_code_results.h"

#include "records/record_fields.h"

int CQRCodeResults::Extract(const ParameterList& list, QrCodeResultRecord& r) const {
    return ReadInOrder(list, r.texts0, r.ints3, r.doubles7, r.ints9, r.text14);
}

// The single-result page and the result archive, over any SensorReader.
#pragma once

#include <string>

#include "sensor_reader.h"

namespace dravik {

// Writes the page of result `resultId` (held under the result lock, which is
// always released again) and its decoded image beside it: the page's path
// without its extension, the result id and ".bmp". The UTF-16 page carries
// a byte-order mark when `byteOrderMark` is set. `savedOn` is the time text
// shown at the top. COMM_OK, or the first failing step's code (the page is
// then not written or, when only its save failed, COMM_FILE_ERROR).
int SaveResultPage(SensorReader& reader, const std::string& pagePath, bool byteOrderMark, int second,
                   int resultId, const std::string& savedOn);

// The local time as the page shows it.
std::string PageTimeText();

}  // namespace dravik

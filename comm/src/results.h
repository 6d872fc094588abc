// The library's general read result: what the single-result page and the
// service report show of one reading.
#pragma once

#include <cstdint>

#include "record_fields.h"

namespace dravik {

// Items 0 to 38 of a general read result list, in list order. The text of
// item 8 (the result string) has room for 1024 bytes.
struct ReadResult {
    int32_t head[4] = {};  // item 0: the result id
    TextField<256> configName{};
    int32_t counts[3] = {};  // items 5 to 7
    TextField<1024> resultText{};
    int32_t decodingTime = 0;  // item 9
    TextField<256> text10{};
    int32_t values[18] = {};     // items 11 to 28
    TextField<256> texts[10]{};  // items 29 to 38

    int32_t resultId() const { return head[0]; }
};

class CResults {
public:
    static constexpr std::size_t kItems = 39;
    // Fills the record from a list of the general read result; false (and
    // the record untouched) when the list has fewer than 39 items.
    static bool Extract(const ParameterList& list, ReadResult& out);
};

}  // namespace dravik

#include "results.h"

namespace dravik {

bool CResults::Extract(const ParameterList& list, ReadResult& out) {
    if (!hasItems(list, kItems - 1)) return false;
    ReadResult r;
    for (int i = 0; i < 4; ++i) r.head[i] = list[static_cast<std::size_t>(i)].intValue;
    copyText(r.configName, list[4].stringValue);
    for (int i = 0; i < 3; ++i) r.counts[i] = list[static_cast<std::size_t>(5 + i)].intValue;
    copyText(r.resultText, list[8].stringValue);
    r.decodingTime = list[9].intValue;
    copyText(r.text10, list[10].stringValue);
    for (int i = 0; i < 18; ++i) r.values[i] = list[static_cast<std::size_t>(11 + i)].intValue;
    for (int i = 0; i < 10; ++i) copyText(r.texts[i], list[static_cast<std::size_t>(29 + i)].stringValue);
    out = r;
    return true;
}

}  // namespace dravik

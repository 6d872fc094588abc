// Kept out of Qt's sources: the quality record's member meets Qt's `slots`.
#include "records/quality_records.h"

namespace viewtest {
void setQuality(QualitySettings& q, int slot, QualityPair pair) { q.slots[static_cast<std::size_t>(slot)] = pair; }
}  // namespace viewtest

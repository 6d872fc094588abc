// The floor a monitor reading is compared with: the calls the program makes
// for one reading, straight through the library, from the sensor's report on.
#pragma once
#include <cstdint>
#include <vector>

#include "dravik/dravik.h"
#include "dravik/results.h"
#include "dravik/sensor_commands.h"

namespace vt::bench {

inline void FetchReadingThroughLibrary() {
  int count = 0;
  SensorBitmap* bitmap = nullptr;
  ParameterList list, config, items, detail, quality;
  std::vector<std::uint8_t> bytes;
  GetNumberOfResults(-1, 0, 1, &count, &bitmap, &list);
  if (bitmap) DeleteSensorBitmap(bitmap);
  GetConfigData(&config, 2, 1017);
  for (int k = 0; k < count; ++k) {
    GetTestConfigResult(k, &items, &bytes);
    GetECC200Result(k, &detail);
    GetECC200QualityResult(k, &quality);
  }
  int total = 0, good = 0;
  GetSensorStatistics(&total, &good);
  SetUnlockResult();
  ResumePollingThread();
}

}  // namespace vt::bench

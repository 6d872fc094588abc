// What the result page, the result archive and the service report read from
// the sensor, as one interface: the exports hand them the connected sensor,
// tests a scripted one.
#pragma once

#include <string>
#include <vector>

#include "dravik/parameter_list.h"

namespace dravik {

// One entry of the sensor's list of stored results.
struct StoredResult {
    int resultNumber = 0;
    int passed = 0;
    std::string ageText;
    std::string resultText;
    int index = 0;
};

class SensorReader {
public:
    virtual ~SensorReader() = default;

    // Asks the sensor to hold a result; `count` is the number of its code results.
    virtual int LockResult(int first, int second, int& count) = 0;
    virtual int UnlockResult() = 0;
    // The general read result `index` of the locked result: its list and the
    // raw bytes of its result string.
    virtual int GetResult(int index, ParameterList& list, std::string& raw) = 0;
    // Writes the locked result's decoded image as a bitmap file.
    virtual int SaveDecodedImage(const std::string& path) = 0;
    virtual int GetLastResultsList(int which, std::vector<StoredResult>& entries) = 0;
};

}  // namespace dravik

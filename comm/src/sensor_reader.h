// What the result page, the result archive and the service report read from
// the sensor, as one interface: the exports hand them the connected sensor,
// tests a scripted one. Every getter returns COMM_OK or the failing call's
// code, and fills its list from the record's template only on COMM_OK.
#pragma once

#include <string>
#include <vector>

#include "config_mngt.h"
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

    // What the service report reads besides the results.
    virtual int GetSensorGlobals(ParameterList& list) = 0;  // sensor global settings
    virtual int GetSensorStatistics(int& total, int& good) = 0;
    virtual int GetConfigList(ParameterList& list) = 0;  // the 32 slots' names, groups, roles
    // The extended configuration data of the active configuration.
    virtual int GetActiveConfigData(ParameterList& list) = 0;
    // The configuration data of one configuration of the list.
    virtual int GetConfigInfo(const ConfigListEntry& entry, ParameterList& list) = 0;
    // Code result and code quality `index` of the locked result, by the
    // record of the code's family.
    virtual int GetCodeResult(int index, int codeType, ParameterList& list) = 0;
    virtual int GetCodeQualityResult(int index, int codeType, ParameterList& list) = 0;
};

}  // namespace dravik

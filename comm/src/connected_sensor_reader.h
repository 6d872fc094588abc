// The SensorReader of the file exports: the connected sensor, through the
// library's own getters. One reader per export call.
#pragma once

#include <memory>

#include "library_state.h"
#include "sensor_reader.h"

namespace dravik {

class ConnectedSensorReader final : public SensorReader {
public:
    // `connection` is the export's lease: the result lock goes over it.
    explicit ConnectedSensorReader(std::shared_ptr<XmlRpcClientTimeout> connection);

    int LockResult(int first, int second, int& count) override;
    int UnlockResult() override;
    // A result the sensor no longer holds reads as COMM_NO_LOCKED_RESULT_LAST.
    int GetResult(int index, ParameterList& list, std::string& raw) override;
    int SaveDecodedImage(const std::string& path) override;
    int GetLastResultsList(int which, std::vector<StoredResult>& entries) override;
    int GetSensorGlobals(ParameterList& list) override;
    int GetSensorStatistics(int& total, int& good) override;
    int GetConfigList(ParameterList& list) override;
    int GetActiveConfigData(ParameterList& list) override;
    int GetConfigInfo(const ConfigListEntry& entry, ParameterList& list) override;
    int GetCodeResult(int index, int codeType, ParameterList& list) override;
    int GetCodeQualityResult(int index, int codeType, ParameterList& list) override;

private:
    std::shared_ptr<XmlRpcClientTimeout> connection_;
};

}  // namespace dravik

#include "connected_sensor_reader.h"

#include "dravik/dravik.h"
#include "dravik/results.h"
#include "dravik/sensor_commands.h"
#include "dravik/sensor_images.h"
#include "record_template.h"
#include "result_lock.h"

namespace dravik {

namespace {

// "xmlGetConfigData" takes 2 for the active configuration.
constexpr int kActiveConfigId = 2;
constexpr std::size_t kResultsTextSize = DRAVIK_RESULTS_TEXT_SIZE;

}  // namespace

ConnectedSensorReader::ConnectedSensorReader(std::shared_ptr<XmlRpcClientTimeout> connection)
    : connection_(std::move(connection)) {}

int ConnectedSensorReader::LockResult(int first, int second, int& count) {
    return lockResult(*connection_, first, second, &count);
}

int ConnectedSensorReader::UnlockResult() {
    return unlockResult(*connection_);
}

int ConnectedSensorReader::GetResult(int index, ParameterList& list, std::string& raw) {
    std::vector<uint8_t> bytes;
    const int status = GetTestConfigResult(index, &list, &bytes);
    if (status != COMM_OK) return status;
    // The getter reads "no result" as done, with nothing in the list.
    if (list.empty()) return COMM_NO_LOCKED_RESULT_LAST;
    raw.assign(bytes.begin(), bytes.end());
    return COMM_OK;
}

int ConnectedSensorReader::SaveDecodedImage(const std::string& path) {
    return GetAndSaveDecodedImage(path.c_str());
}

int ConnectedSensorReader::GetLastResultsList(int which, std::vector<StoredResult>& entries) {
    char text[kResultsTextSize] = {};
    int count = 0;
    std::vector<ResultListEntry> list;
    const int status = ::GetLastResultsList(which, text, &count, &list);
    entries.clear();
    if (status != COMM_OK) return status;
    for (const ResultListEntry& entry : list) {
        StoredResult stored;
        stored.resultNumber = entry.resultNumber;
        stored.passed = entry.passed;
        stored.ageText = entry.ageText;
        stored.resultText = entry.resultText;
        stored.index = entry.index;
        entries.push_back(std::move(stored));
    }
    return COMM_OK;
}

int ConnectedSensorReader::GetSensorGlobals(ParameterList& list) {
    return ::GetSensorGlobals(&list);
}

int ConnectedSensorReader::GetSensorStatistics(int& total, int& good) {
    return ::GetSensorStatistics(&total, &good);
}

int ConnectedSensorReader::GetConfigList(ParameterList& list) {
    return ::GetConfigList(&list);
}

int ConnectedSensorReader::GetActiveConfigData(ParameterList& list) {
    return GetConfigExtendedData(&list, kActiveConfigId);
}

int ConnectedSensorReader::GetConfigInfo(const ConfigListEntry& entry, ParameterList& list) {
    const std::string name = textOf(entry.name);
    return GetInfoConfig(entry.configIndex, name.c_str(), entry.groupIndex, &list, TEMPLATE_CONFIG_DATA);
}

int ConnectedSensorReader::GetCodeResult(int index, int codeType, ParameterList& list) {
    switch (codeType) {
        case 2:
            return GetPDF417Result(index, &list);
        case 3:
            return GetQRCodeResult(index, &list);
        case 33:
            return GetAztecCodeResult(index, &list);
        default:
            return GetECC200Result(index, &list);
    }
}

int ConnectedSensorReader::GetCodeQualityResult(int index, int codeType, ParameterList& list) {
    return ::GetCodeQualityResult(index, codeType, &list);
}

}  // namespace dravik

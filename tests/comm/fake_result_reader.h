// A scripted sensor for the page, archive and report builders: stored
// results with their code results, the settings, statistics and
// configurations the report reads, and counts of locks and unlocks.
#pragma once

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "dravik/comm_status.h"
#include "record_template.h"
#include "sensor_reader.h"

namespace vt::test {

struct FakeCode {
    std::string configName;
    bool passed = true;
    int found = 1;
    int searched = 1;
    int decodingTimeMs = 0;
    std::string raw;  // the result string's bytes
    int codeType = 1;
};

// One configuration of the scripted list.
struct FakeConfig {
    int slot = 0;
    std::string name;
    int group = -1;
    int master = 0;
    bool active = false;
};

class FakeResultReader : public dravik::SensorReader {
public:
    std::map<int, std::vector<FakeCode>> results;  // by result number
    std::vector<dravik::StoredResult> stored;
    std::size_t pictureBytes = 64;
    int failGetResult = 0;  // a status for every GetResult
    int failLockOf = 0;     // a result number whose lock is refused with -7002
    int locks = 0;
    int unlocks = 0;

    ParameterList globals = templateList(dravik::TEMPLATE_SENSOR_GLOBALS);
    int total = 0;
    int good = 0;
    int failStatistics = 0;
    std::vector<FakeConfig> configs;
    ParameterList activeConfig = templateList(dravik::TEMPLATE_CONFIG_EXTENDED_DATA);

    static ParameterList templateList(int id) {
        ParameterList list;
        dravik::FetchRecordTemplate(list, id);
        return list;
    }

    void addStored(int number, std::vector<FakeCode> codes) {
        results[number] = std::move(codes);
        dravik::StoredResult entry;
        entry.resultNumber = number;
        entry.passed = 1;
        stored.push_back(entry);
    }

    int LockResult(int first, int, int& count) override {
        if (first == failLockOf) return -7002;
        const auto found = results.find(first);
        if (found == results.end()) return -7002;
        ++locks;
        locked_ = first;
        count = static_cast<int>(found->second.size());
        return COMM_OK;
    }
    int UnlockResult() override {
        ++unlocks;
        return COMM_OK;
    }
    int GetResult(int index, ParameterList& list, std::string& raw) override {
        if (failGetResult != 0) return failGetResult;
        const FakeCode& code = results.at(locked_).at(static_cast<std::size_t>(index));
        list.clear();
        if (dravik::FetchRecordTemplate(list, dravik::TEMPLATE_READ_RESULT) != 0) return COMM_FAILED;
        list[0].intValue = locked_;
        list[1].intValue = code.passed ? 1 : 2;  // as the simulated sensor answers
        list[2].intValue = code.codeType;
        list[4].stringValue = code.configName;
        list[6].intValue = code.found;
        list[7].intValue = code.searched;
        list[9].intValue = code.decodingTimeMs;
        list[23].intValue = code.passed ? 1 : 2;
        list[24].intValue = code.decodingTimeMs + 5;
        raw = code.raw;
        return COMM_OK;
    }
    int SaveDecodedImage(const std::string& path) override {
        // Incompressible bytes, so an archive of several is larger than any one.
        std::string bytes(pictureBytes, '\0');
        uint32_t x = 2463534242u + static_cast<uint32_t>(locked_);
        for (char& c : bytes) {
            x ^= x << 13, x ^= x >> 17, x ^= x << 5;
            c = static_cast<char>(x);
        }
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return COMM_OK;
    }
    int GetLastResultsList(int, std::vector<dravik::StoredResult>& entries) override {
        entries = stored;
        return COMM_OK;
    }
    int GetSensorGlobals(ParameterList& list) override {
        list = globals;
        return COMM_OK;
    }
    int GetSensorStatistics(int& totalReadings, int& goodReadings) override {
        if (failStatistics != 0) return failStatistics;
        totalReadings = total;
        goodReadings = good;
        return COMM_OK;
    }
    int GetConfigList(ParameterList& list) override {
        list = templateList(dravik::TEMPLATE_CONFIG_LIST);
        list.pop_back();  // the getter leaves out the list's own end
        for (const FakeConfig& config : configs) {
            const std::size_t first = static_cast<std::size_t>(config.slot) * 6;
            list[first + 1].stringValue = config.name;
            list[first + 2].intValue = config.group;
            list[first + 3].intValue = config.master;
            list[first + 4].intValue = config.active ? 1 : 0;
        }
        return COMM_OK;
    }
    int GetActiveConfigData(ParameterList& list) override {
        list = activeConfig;
        return COMM_OK;
    }
    int GetConfigInfo(const dravik::ConfigListEntry& entry, ParameterList& list) override {
        list = templateList(dravik::TEMPLATE_CONFIG_DATA);
        list[5].intValue = 100 * (entry.configIndex + 1);  // exposure time
        list[37].intValue = entry.configIndex % 9;         // first filter
        return COMM_OK;
    }
    int GetCodeResult(int index, int, ParameterList& list) override {
        list = templateList(dravik::TEMPLATE_ECC200_RESULT);
        list[2].stringValue = results.at(locked_).at(static_cast<std::size_t>(index)).raw;
        list[3].intValue = 16 + index;
        list[5].doubleValue = 4.25;
        return COMM_OK;
    }
    int GetCodeQualityResult(int, int codeType, ParameterList& list) override {
        if (codeType <= 0 || codeType > 36) return COMM_INVALID_ARGUMENT;
        list = templateList(dravik::TEMPLATE_QUALITY_ECC200_QR_AZTEC);
        for (std::size_t k = 0; k * 4 + 2 < list.size(); ++k) {
            list[k * 4 + 1].intValue = k % 2 == 0 ? 1 : 0;
            list[k * 4 + 2].intValue = static_cast<int>(4 - k % 6);
        }
        return COMM_OK;
    }

private:
    int locked_ = 0;
};

}  // namespace vt::test

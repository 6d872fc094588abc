// A scripted sensor for the page, archive and report builders: stored
// results with their code results, and counts of locks and unlocks.
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
};

class FakeResultReader : public dravik::SensorReader {
public:
    std::map<int, std::vector<FakeCode>> results;  // by result number
    std::vector<dravik::StoredResult> stored;
    std::size_t pictureBytes = 64;
    int failGetResult = 0;  // a status for every GetResult
    int locks = 0;
    int unlocks = 0;

    void addStored(int number, std::vector<FakeCode> codes) {
        results[number] = std::move(codes);
        dravik::StoredResult entry;
        entry.resultNumber = number;
        entry.passed = 1;
        stored.push_back(entry);
    }

    int LockResult(int first, int, int& count) override {
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
        list[1].intValue = code.passed ? 1 : 0;
        list[4].stringValue = code.configName;
        list[6].intValue = code.found;
        list[7].intValue = code.searched;
        list[9].intValue = code.decodingTimeMs;
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

private:
    int locked_ = 0;
};

}  // namespace vt::test

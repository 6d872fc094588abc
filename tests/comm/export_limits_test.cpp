// The time limit each export gives its call to the sensor, seen through the
// connection's call seam: a wrong limit shows here at once, without waiting
// for a sensor that is slow on purpose.
#include <gtest/gtest.h>

#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "command_fixture.h"
#include "dravik/dravik.h"
#include "dravik/results.h"
#include "dravik/sensor_images.h"
#include "xml_rpc_client_timeout.h"

namespace {

using dravik::XmlRpcClientTimeout;

constexpr double kNone = -1.0;

// Every call's method and limit, from any thread.
class CallLog {
public:
    CallLog() {
        XmlRpcClientTimeout::observeCalls([this](const char* method, double limit) {
            std::lock_guard lock(mutex_);
            calls_.emplace_back(method, limit);
        });
    }
    ~CallLog() { XmlRpcClientTimeout::observeCalls(nullptr); }

    std::optional<double> limitOf(const std::string& method) const {
        std::lock_guard lock(mutex_);
        for (const auto& [name, limit] : calls_)
            if (name == method) return limit;
        return std::nullopt;
    }
    void clear() {
        std::lock_guard lock(mutex_);
        calls_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::pair<std::string, double>> calls_;
};

struct LimitCase {
    const char* name;
    void (*call)();
    const char* method;
    double limit;
};

ParameterList oneValue() {
    ParameterItem item;
    item.name = "x";
    item.type = "INT";
    return {item};
}

const LimitCase kCases[] = {
    {"SetState", [] { SetState(5); }, "xmlSetState", 45},
    {"GetState", [] { int s = 0; GetState(&s); }, "xmlGetState", kNone},
    {"CalculateExpTime", [] { CalculateExpTime(); }, "xmlCalculateExpTime", 50},
    {"AutoDetectCode", [] { int a = 0, b = 0; AutoDetectCode(1, 1, &a, &b); }, "xmlAutoDetectCode", 72},
    {"DecodeImage", [] { DecodeImage(); }, "xmlDecodeImage", 50},
    {"ApplyRegularExpression", [] { char text[256] = {}; int n = 0; ApplyRegularExpression("a", "b", "c", text, &n); },
     "xmlCheckRegularExpression", kNone},
    {"GetConfigData", [] { ParameterList l; GetConfigData(&l, 2, 1017); }, "xmlGetConfigData", 30},
    {"SetConfigData", [] { ParameterList l = oneValue(); SetConfigData(&l); }, "xmlSetConfigData", 35},
    {"SetConfigExtendedData", [] { ParameterList l = oneValue(); SetConfigExtendedData(&l); }, "xmlSetConfigData", 35},
    {"GetConfigList", [] { ParameterList l; GetConfigList(&l); }, "xmlGetConfigList", kNone},
    {"GetTestConfigResult", [] { ParameterList l; std::vector<uint8_t> b; GetTestConfigResult(0, &l, &b); },
     "xmlGetResult", 45},
    {"GetECC200Result", [] { ParameterList l; GetECC200Result(0, &l); }, "xmlGetCodeResult", 70},
    {"GetCodeQualityResult", [] { ParameterList l; GetCodeQualityResult(0, 1, &l); }, "xmlGetCodeQuality2DResult",
     70},
    {"GetNumberOfResults", [] { int n = 0; GetNumberOfResults(-1, 0, 0, &n, nullptr, nullptr); }, "xmlLockResult", 50},
    {"GetReadCode", [] { int n = 0; GetReadCode(&n); }, "xmlDecodeImage", 50},
    {"SetUnlockResult", [] { SetUnlockResult(); }, "xmlUnlockResult", 45},
    {"GetLastResultsList", [] { int n = 0; std::vector<ResultListEntry> l; GetLastResultsList(0, nullptr, &n, &l); },
     "xmlGetLastResultsList", kNone},
    {"GetDecodeImage", [] { SensorBitmap* b = nullptr; if (GetDecodeImage(&b) == COMM_OK) DeleteSensorBitmap(b); },
     "xmlGetDecodedImage", kNone},
};

class ExportLimits : public vt::test::CommandFixture, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(ExportLimits, EachExportGivesItsCallItsOwnLimit) {
    CallLog log;
    GetParam().call();
    const auto limit = log.limitOf(GetParam().method);
    ASSERT_TRUE(limit.has_value()) << GetParam().method << " was not called";
    EXPECT_DOUBLE_EQ(*limit, GetParam().limit);
}

INSTANTIATE_TEST_SUITE_P(Table, ExportLimits, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Connect waits for "xmlConnect" at most a minute: a sensor that accepts
// and stays silent must not hold the program's busy state for good.
class ConnectLimits : public vt::test::DravikFixture {};

TEST_F(ConnectLimits, ConnectAndDisconnectBoundTheirCalls) {
    CallLog log;
    ASSERT_EQ(connect("k"), COMM_OK);
    Disconnect("k");
    EXPECT_EQ(log.limitOf("xmlConnect"), 60.0);
    EXPECT_EQ(log.limitOf("xmlDisconnect"), 7.0);
}

}  // namespace

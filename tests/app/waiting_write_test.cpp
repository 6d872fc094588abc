// A configuration read while a configuration write waits for the outstanding
// commands: the write's changes stay, the sensor's other values come in, and
// a read with no write waiting is taken as the sensor sent it.
#include <gtest/gtest.h>

#include <functional>

#include "core/main_dialog_state.h"
#include "core/waiting_write.h"
#include "record_reads.h"
#include "template_lists.h"

namespace {

constexpr int kExposureItem = 5;

struct Waiting : ::testing::TestWithParam<bool> {
  void SetUp() override {
    s.m_bExtendedConfig = GetParam() ? 1 : 0;
    s.m_ConfigData = vt::test::ConfigList(GetParam());
    ASSERT_EQ(Records(s.m_ConfigData, s.m_Configuration), 0);
  }
  int Records(const ParameterList& list, ConfigurationRecords& r) {
    return vt::test::ReadConfiguration(list, s.m_bExtendedConfig != 0, r);
  }
  // The sensor's list as it now is: the list last read, changed by `change`.
  ParameterList Sensor(const std::function<void(ParameterList&)>& change) {
    ParameterList list = vt::test::ConfigList(GetParam());
    change(list);
    return list;
  }
  // The reply to a configuration read, as the reply handler takes it.
  void Read(const ParameterList& list) {
    s.m_ConfigData = list;
    KeepWaitingChanges(s);
    ASSERT_EQ(Records(s.m_ConfigData, s.m_Configuration), 0);
  }
  // What the write encodes and sends.
  void Write() {
    ASSERT_EQ(CConfigListInfo::GetInstance()->WriteConfiguration(s.m_ConfigData, s.m_bExtendedConfig != 0,
                                                                  s.m_Configuration),
              0);
  }

  MainDialogState s;
};

auto Exposure(int value) {
  return [value](ParameterList& l) { l[kExposureItem].intValue = value; };
}

TEST_P(Waiting, AReadInTheWaitKeepsTheChangesAndTakesTheSensorsOtherValues) {
  const ConfigurationRecords before = s.m_Configuration;
  {
    WaitingConfigWrite waiting(s);
    s.m_Configuration.filters.Filter1 = 7;
    s.m_Configuration.processInterface.FailString = "NO READ";
    s.m_Configuration.trigger.TriggerSource = before.trigger.TriggerSource + 1;
    ASSERT_NO_FATAL_FAILURE(Read(Sensor(Exposure(4321))));
    EXPECT_EQ(s.m_Configuration.filters.Filter1, 7);
    EXPECT_EQ(s.m_Configuration.processInterface.FailString, "NO READ");
    EXPECT_EQ(s.m_Configuration.trigger.TriggerSource, before.trigger.TriggerSource + 1);
    EXPECT_EQ(s.m_Configuration.imageQuality.ExposureTime, 4321);
    EXPECT_EQ(s.m_Configuration.filters.Filter2, before.filters.Filter2);
    // A second read in the same wait brings the sensor's later value too.
    ASSERT_NO_FATAL_FAILURE(Read(Sensor(Exposure(555))));
    EXPECT_EQ(s.m_Configuration.imageQuality.ExposureTime, 555);
    EXPECT_EQ(s.m_Configuration.filters.Filter1, 7);
    EXPECT_EQ(s.m_Configuration.processInterface.FailString, "NO READ");
  }
  EXPECT_FALSE(s.m_WaitingWriteBase.has_value());
  // Once the wait is over a read is the sensor's again.
  ASSERT_NO_FATAL_FAILURE(Read(Sensor([](ParameterList&) {})));
  EXPECT_EQ(s.m_Configuration.filters.Filter1, before.filters.Filter1);
  EXPECT_EQ(s.m_Configuration.processInterface.FailString, before.processInterface.FailString);
}

// A write made inside another's wait (a timer's): once it sent the records
// the outer wait compares with that list, so the sensor's later values are
// not put back to the older ones; when it failed, its changes still wait.
TEST_P(Waiting, AWriteInsideTheWaitLeavesTheWaitComparingWithWhatItSent) {
  for (const bool sent : {true, false}) {
    SCOPED_TRACE(sent ? "sent" : "failed");
    SetUp();
    WaitingConfigWrite outer(s);
    s.m_Configuration.filters.Filter1 = 7;
    {
      WaitingConfigWrite inner(s);
      s.m_Configuration.imageQuality.ExposureTime = 3000;
      ASSERT_NO_FATAL_FAILURE(Read(Sensor(Exposure(4321))));
      EXPECT_EQ(s.m_Configuration.imageQuality.ExposureTime, 3000);
      EXPECT_EQ(s.m_Configuration.filters.Filter1, 7) << "the outer write's change";
      ASSERT_NO_FATAL_FAILURE(Write());
      if (sent) inner.Sent();
    }
    ASSERT_TRUE(s.m_WaitingWriteBase.has_value());
    ParameterList later = s.m_ConfigData;
    later[kExposureItem].intValue = 999;
    if (!sent) later[37].intValue = vt::test::IntAt(37);  // the sensor never got the filter
    ASSERT_NO_FATAL_FAILURE(Read(later));
    EXPECT_EQ(s.m_Configuration.imageQuality.ExposureTime, sent ? 999 : 3000);
    EXPECT_EQ(s.m_Configuration.filters.Filter1, 7);
  }
}

// The write began without a configuration (it could not have been encoded):
// the read is taken as it came.
TEST_P(Waiting, WithoutAConfigurationToCompareWithTheReadIsTaken) {
  s.m_ConfigData.clear();
  WaitingConfigWrite waiting(s);
  s.m_Configuration.filters.Filter1 = 7;
  const ParameterList sensor = Sensor(Exposure(4321));
  ASSERT_NO_FATAL_FAILURE(Read(sensor));
  EXPECT_EQ(s.m_Configuration.filters.Filter1, vt::test::IntAt(37));
  EXPECT_EQ(s.m_Configuration.imageQuality.ExposureTime, 4321);
}

INSTANTIATE_TEST_SUITE_P(Lists, Waiting, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Extended" : "Standard"; });

}  // namespace

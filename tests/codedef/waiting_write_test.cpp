// A change of the code definition page whose write waits behind a
// configuration read still out: the read must neither put the sensor's older
// values back into the page nor into the write, and what the sensor changed
// meanwhile (an Auto setting's exposure) comes in beside the change.
#include "codedef_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTabBar>
#include <functional>

#include "codedef/config_code_def_tab2.h"
#include "controls/button_draw.h"
#include "core/code_types.h"

namespace vt::test {
namespace {

enum : int { kExposure = 5, kCodesPerImage = 34, kDecodingTime = 35, kFilter1 = 37 };

struct WaitingWrite;

struct Case {
  const char* name;
  int mode;                                 // recognition mode of the configuration
  std::function<void(WaitingWrite&)> before;  // on the page, with nothing out yet
  std::function<void(WaitingWrite&)> change;  // with the read out
  int item, value;                          // the change as the sensor must get it
  std::function<bool(WaitingWrite&)> shows;   // the page shows it
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

struct WaitingWrite : CodeDefinitionFixture, ::testing::WithParamInterface<Case> {
  void ClickTab(int tab) {
    tabs().tabBar()->setCurrentIndex(tab);
    QApplication::processEvents();
  }
  QAbstractButton* Button(int id) { return codeDefinition->findChild<QAbstractButton*>(QStringLiteral("id%1").arg(id)); }
  QComboBox* Filter(int list) { return codeDefinition->tab2()->list(list); }
};

TEST_P(WaitingWrite, AChangeSurvivesAReadBackInItsWait) {
  const Case& c = GetParam();
  OpenConfiguration(CODE_TYPE_ECC200, c.mode);
  ASSERT_NO_FATAL_FAILURE(ReadAgain([&](XmlRpc::XmlRpcValue& config) {
    config[kFilter1] = 0;
    config[kCodesPerImage] = 1;
    config[kDecodingTime] = 500;
  }));
  c.before(*this);
  // The sensor's exposure changes (an Auto setting) and the read of it is out.
  sensor.model.access([](vt::sim::SensorData& d) { SlotRecords(d, 0).configData[kExposure] = 4321; });
  const int reads = Count(CMD_GET_CONFIG_DATA);
  state().m_nConfigId = 0;
  window->PostSensorCommand(CMD_GET_CONFIG_DATA);
  c.change(*this);
  ASSERT_GE(Count(CMD_GET_CONFIG_DATA), reads + 1) << "read back in the write's wait";
  ASSERT_TRUE(Idle());
  EXPECT_EQ(ConfigItem(c.item).asInt(), c.value);
  EXPECT_TRUE(c.shows(*this)) << "after the write";
  EXPECT_EQ(ConfigItem(kExposure).asInt(), 4321) << "the sensor's own change is not written over";
  EXPECT_EQ(state().m_Configuration.imageQuality.ExposureTime, 4321);
  ASSERT_NO_FATAL_FAILURE(ReadAgain());
  EXPECT_EQ(ConfigItem(c.item).asInt(), c.value);
  EXPECT_TRUE(c.shows(*this)) << "read again";
  SaveScreenshot(*codeDefinition, (std::string("code_definition_kept_") + c.name).c_str());
  EXPECT_TRUE(Texts().isEmpty()) << Texts().join("|").toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Callers, WaitingWrite,
    ::testing::Values(
        Case{"Filter", 2, [](WaitingWrite& f) { f.ClickTab(1); },
             [](WaitingWrite& f) { f.Filter(0)->setCurrentIndex(5); }, kFilter1, 5,
             [](WaitingWrite& f) { return f.Filter(0)->currentIndex() == 5; }},
        Case{"CodeTabEnteredWithANewCount", 2, [](WaitingWrite& f) { f.tab1().codesEdit()->setText("4"); },
             [](WaitingWrite& f) { f.ClickTab(2); }, kCodesPerImage, 4,
             [](WaitingWrite& f) { return f.tab1().codesEdit()->text() == "4"; }},
        Case{"ReadCodeWithANewTime", 2, [](WaitingWrite& f) { f.tab1().timeEdit()->setText("700"); },
             [](WaitingWrite& f) { QTest::mouseClick(f.Button(1080), Qt::LeftButton); }, kDecodingTime, 700,
             [](WaitingWrite& f) { return f.tab1().timeEdit()->text() == "700"; }},
        Case{"AutoDetectWithANewTime", 0, [](WaitingWrite& f) { f.tab1().timeEdit()->setText("800"); },
             [](WaitingWrite& f) { QTest::mouseClick(f.tab1().autoDetectButton(), Qt::LeftButton); },
             kDecodingTime, 800, [](WaitingWrite& f) { return f.tab1().timeEdit()->text() == "800"; }}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vt::test

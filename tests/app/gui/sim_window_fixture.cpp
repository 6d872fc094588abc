#include "sim_window_fixture.h"

#include <QTest>
#include <algorithm>

#include "text/text_codecs.h"
#include "window/lock_library.h"

// The simulator's member "slots" below, not Qt's keyword.
#undef slots

namespace vt::test {

vt::sim::SlotParameters& SlotRecords(vt::sim::SensorData& d, int index) {
  return d.slots[static_cast<std::size_t>(index)].data.parameters;
}

void SimWindowFixture::TearDown() {
  notify.reset();
  window.reset();
}

void SimWindowFixture::StartWindow(MainPanels panels) {
  ASSERT_TRUE(sensor.Start()) << sensor.error();
  window = std::make_unique<CVarnisDatamatrixDlg>(prompt, std::move(panels));
  window->setLockLibrary(MakeKeltrovLibrary());
  ASSERT_EQ(window->OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
  notify = std::make_unique<CSensorNotify>(*window);
  QObject::connect(notify.get(), &CSensorNotify::notified, [this](int id, int status) {
    handled.push_back(id);
    statuses.push_back(status);
  });
  Utf8ToUtf16String(state().m_strConnectAddress, sensor.server.address());
  state().m_nConnectPort = sensor.server.port();
}

void SimWindowFixture::Post(int command) {
  state().m_bBusy = 1;
  window->PostSensorCommand(command);
}

void SimWindowFixture::Connect() {
  Post(CMD_CONNECT);
  ASSERT_TRUE(WaitHandled(CMD_CONNECT));
}

void SimWindowFixture::ConnectToConfigurationList() {
  Post(CMD_CONNECT);
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST))
      << ::testing::PrintToString(handled) << Texts().join("|").toStdString();
  ASSERT_TRUE(Idle());
}

void SimWindowFixture::ConnectInMonitor(bool withConfiguration) {
  if (withConfiguration) {
    const vt::sim::SlotRef slot{0, "{Monitor}", -1};
    ASSERT_EQ(sensor.model.createConfig(slot), vt::sim::kSimOk);
    ASSERT_EQ(sensor.model.closeAndSave(), vt::sim::kSimOk);
    ASSERT_EQ(sensor.model.activateConfig(slot), vt::sim::kSimOk);
  }
  sensor.model.setState(2);
  ASSERT_NO_FATAL_FAILURE(Connect());
  ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING))
      << ::testing::PrintToString(handled) << Texts().join("|").toStdString();
}

::testing::AssertionResult SimWindowFixture::MonitorReading() {
  const int resumed = Count(CMD_RESUME_POLLING);
  if (!sensor.readings.takeReading()) return ::testing::AssertionFailure() << "no reading taken";
  if (!WaitHandled(CMD_RESUME_POLLING, resumed + 1)) return ::testing::AssertionFailure() << "polling not resumed";
  return ::testing::AssertionSuccess();
}

void SimWindowFixture::OpenInEditor(int index, int step, const Items& change) {
  const vt::sim::SlotRef slot{index, "Conf1", 0};
  ASSERT_EQ(sensor.model.createConfig(slot), vt::sim::kSimOk);
  sensor.model.access([&](vt::sim::SensorData& d) { change(SlotRecords(d, index).configData); });
  ASSERT_EQ(sensor.model.closeAndSave(), vt::sim::kSimOk);
  ASSERT_NO_FATAL_FAILURE(Connect());
  ASSERT_TRUE(Idle());
  state().m_nConfigIndex = index;
  state().m_nGroup = 0;
  state().m_strConfigName = u"Conf1";
  state().m_bNameEncoded = false;
  state().m_bEditorMode = 1;
  state().m_nWizardStep = step;
  Post(CMD_EDIT_CONFIG);
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_DATA));
  ASSERT_TRUE(Idle());
  prompt.clear();
}

void SimWindowFixture::ReadAgain(const Items& change) {
  const int index = state().m_nConfigIndex;
  if (change) sensor.model.access([&](vt::sim::SensorData& d) { change(SlotRecords(d, index).configData); });
  const int reads = Count(CMD_GET_CONFIG_DATA);
  state().m_nConfigId = 0;
  Post(CMD_GET_CONFIG_DATA);
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_DATA, reads + 1));
  ASSERT_TRUE(Idle());
}

int SimWindowFixture::Count(int id) const {
  return static_cast<int>(std::count(handled.begin(), handled.end(), id));
}

bool SimWindowFixture::WaitHandled(int id, int times) {
  // Generous: a reading of 100 codes under a sanitizer takes a while.
  return QTest::qWaitFor([&] { return Count(id) >= times; }, 60000);
}

bool SimWindowFixture::Idle() {
  return QTest::qWaitFor([&] { return state().m_nOutstandingCommands == 0 && !state().m_bBusy; }, 30000);
}

QStringList SimWindowFixture::Texts() const {
  QStringList out;
  for (const auto& r : prompt.messages()) out << r.text;
  return out;
}

}  // namespace vt::test

// The main window with the editor's pages plugged in as the program does,
// against a simulated sensor whose configurations are in range, with
// configuration 1 ("Conf1") open in the editor.
#pragma once
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "simulated_sensor.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>
#include <algorithm>
#include <vector>

#include "codedef/write_configuration.h"
#include "commands/sensor_notify.h"
#include "config/config_manager.h"
#include "config/config_trigger_setting.h"
#include "core/sensor_command.h"
#include "gui_test_support.h"
#include "services/recording_prompt.h"
#include "sim/plausible_records.h"
#include "text/text_codecs.h"
#include "window/lock_library.h"
#include "window/main_window.h"

namespace vt::test {

#pragma push_macro("slots")
#undef slots
inline vt::sim::SlotParameters& EditorSlot(vt::sim::SensorData& d, int index) {
  return d.slots[static_cast<std::size_t>(index)].data.parameters;
}
#pragma pop_macro("slots")

// Configuration items as the simulator keeps them.
enum ConfigItem {
  kItemInternal = 3,
  kItemSegments = 4,
  kItemExposure = 5,
  kItemTriggerSource = 43, kItemTriggerWindow = 44, kItemGoodReadingsTry = 45, kItemWithinTime = 46 };

struct EditorFixture : ::testing::Test {
  // Pages a test adds before the window is made.
  virtual void AddPages(MainPanels& panels) {
    auto trigger = std::make_unique<CConfigTriggerSetting>(&WriteConfiguration);
    triggerPage = trigger.get();
    panels.trigger = std::move(trigger);
    panels.configManager = std::make_unique<CConfigManager>();
  }
  void SetUp() override {
    vt::sim::usePlausibleRecords(sensor.model);
    ASSERT_TRUE(sensor.Start()) << sensor.error();
    MainPanels panels;
    AddPages(panels);
    window = std::make_unique<CVarnisDatamatrixDlg>(prompt, std::move(panels));
    window->setLockLibrary(MakeKeltrovLibrary());
    ASSERT_EQ(window->OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
    notify = std::make_unique<CSensorNotify>(*window);
    QObject::connect(notify.get(), &CSensorNotify::notified, [this](int id, int) { handled.push_back(id); });
    Utf8ToUtf16String(state().m_strConnectAddress, sensor.server.address());
    state().m_nConnectPort = sensor.server.port();
    window->show();
    prompt.clear();
  }
  void TearDown() override {
    notify.reset();
    window.reset();
  }

  MainDialogState& state() { return window->state(); }
  int Count(int id) const { return static_cast<int>(std::count(handled.begin(), handled.end(), id)); }
  bool WaitHandled(int id, int times = 1) {
    return QTest::qWaitFor([&] { return Count(id) >= times; }, 30000);
  }
  bool Idle() {
    return QTest::qWaitFor([&] { return state().m_nOutstandingCommands == 0 && !state().m_bBusy; }, 30000);
  }
  // Slot 1 with the items given, opened in the editor as the manager does.
  void OpenConfiguration(std::vector<std::pair<int, int>> items = {}, int step = 7) {
    const vt::sim::SlotRef slot{0, "Conf1", 0};
    ASSERT_EQ(sensor.model.createConfig(slot), vt::sim::kSimOk);
    sensor.model.access([&](vt::sim::SensorData& d) {
      auto& config = EditorSlot(d, 0).configData;
      for (auto [position, value] : items) config[position] = value;
    });
    ASSERT_EQ(sensor.model.closeAndSave(), vt::sim::kSimOk);
    state().m_bBusy = 1;
    window->PostSensorCommand(CMD_CONNECT);
    ASSERT_TRUE(WaitHandled(CMD_CONNECT));
    ASSERT_TRUE(Idle());
    state().m_nConfigIndex = 0;
    state().m_nGroup = 0;
    state().m_strConfigName = u"Conf1";
    state().m_bNameEncoded = false;
    state().m_bEditorMode = 1;
    state().m_nWizardStep = step;
    state().m_bBusy = 1;
    window->PostSensorCommand(CMD_EDIT_CONFIG);
    ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_DATA));
    ASSERT_TRUE(Idle());
    prompt.clear();
  }
  // The edited configuration's item as the simulator keeps it now.
  int Item(int position) {
    return sensor.model.access([&](vt::sim::SensorData& d) {
      XmlRpc::XmlRpcValue v = EditorSlot(d, 0).configData[position];
      return v.getType() == XmlRpc::XmlRpcValue::TypeInt ? int(v) : -9999;
    });
  }
  QStringList Texts() const {
    QStringList out;
    for (const auto& r : prompt.messages()) out << r.text;
    return out;
  }
  QString LogText() { return window->log().GetMarkedText(); }

  LibCopy lib;
  SimulatedSensor sensor;
  RecordingPrompt prompt;
  CConfigTriggerSetting* triggerPage = nullptr;
  std::unique_ptr<CVarnisDatamatrixDlg> window;
  std::unique_ptr<CSensorNotify> notify;
  std::vector<int> handled;
};

}  // namespace vt::test

// The main window with the editor's pages plugged in as the program does,
// against a simulated sensor whose configurations are in range, with
// configuration 1 ("Conf1") open in the editor.
#pragma once
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "sim_window_fixture.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>
#include <algorithm>
#include <vector>

#include "codedef/write_configuration.h"
#include "config/config_manager.h"
#include "config/config_trigger_setting.h"
#include "sim/plausible_records.h"

namespace vt::test {

// Configuration items as the simulator keeps them.
enum ConfigItem {
  kItemInternal = 3,
  kItemSegments = 4,
  kItemExposure = 5,
  kItemTriggerSource = 43, kItemTriggerWindow = 44, kItemGoodReadingsTry = 45, kItemWithinTime = 46 };

struct EditorFixture : SimWindowFixture {
  // Pages a test adds before the window is made.
  virtual void AddPages(MainPanels& panels) {
    auto trigger = std::make_unique<CConfigTriggerSetting>(&WriteConfiguration);
    triggerPage = trigger.get();
    panels.trigger = std::move(trigger);
    panels.configManager = std::make_unique<CConfigManager>();
  }
  void SetUp() override {
    vt::sim::usePlausibleRecords(sensor.model);
    MainPanels panels;
    AddPages(panels);
    ASSERT_NO_FATAL_FAILURE(StartWindow(std::move(panels)));
    window->show();
    prompt.clear();
  }

  // Slot 1 with the items given, opened in the editor as the manager does.
  void OpenConfiguration(std::vector<std::pair<int, int>> items = {}, int step = 7) {
    OpenInEditor(0, step, [&](XmlRpc::XmlRpcValue& config) {
      for (auto [position, value] : items) config[position] = value;
    });
  }
  // The edited configuration's item as the simulator keeps it now.
  int Item(int position) {
    return sensor.model.access([&](vt::sim::SensorData& d) {
      XmlRpc::XmlRpcValue v = SlotRecords(d, 0).configData[position];
      return v.getType() == XmlRpc::XmlRpcValue::TypeInt ? int(v) : -9999;
    });
  }
  QString LogText() { return window->log().GetMarkedText(); }

  CConfigTriggerSetting* triggerPage = nullptr;
};

}  // namespace vt::test

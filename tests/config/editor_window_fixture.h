// The program's whole window (its composition root) against a simulated
// sensor whose configurations are in range, with the helpers of the editor's
// roads: configuration 1 seeded, connected, opened through the command bar's
// Edit or New, and the page buttons clicked.
#pragma once
// The fixture first: its simulator's members named "slots" must not meet Qt's keyword macro.
#include "window_roads_fixture.h"

#include <QDialog>
#include <QLineEdit>
#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QTest>
#include <array>
#include <gtest/gtest.h>

#include "config/config_manager.h"
#include "config/config_name_dialog.h"
#include "config/config_task_buttons.h"
#include "config/config_tree_view.h"
#include "config/config_trigger_setting.h"
#include "config/configuration_buttons.h"
#include "controls/transparent_button.h"
#include "sim/plausible_records.h"

#undef slots

namespace vt::test {

enum Page { kImageQuality = 0, kCodeDefinition = 1, kProcessInterface = 2, kFunctionTest = 3 };

struct EditorWindowTest : WindowRoadsFixture {
  void SetUp() override {
    vt::sim::usePlausibleRecords(sensor.model);
    WindowRoadsFixture::SetUp();
  }

  CConfigTaskButtons& strip() { return *dynamic_cast<CConfigTaskButtons*>(window->panels().taskButtons.get()); }
  CConfigManager& manager() { return *dynamic_cast<CConfigManager*>(window->panels().configManager.get()); }
  QWidget* PageWidget(Page page) {
    MainPanels& p = window->panels();
    switch (page) {
      case kImageQuality: return p.imageQuality->widget();
      case kCodeDefinition: return p.codeDefinition->widget();
      case kFunctionTest: return p.functionTest->widget();
      case kProcessInterface: return p.processInterface->widget();
    }
    return nullptr;
  }
  CConfigTriggerSetting& trigger() { return *dynamic_cast<CConfigTriggerSetting*>(window->panels().trigger.get()); }
  std::array<int, 4> Bitmaps() {
    return {strip().shownBitmap(0), strip().shownBitmap(1), strip().shownBitmap(2), strip().shownBitmap(3)};
  }
  std::array<bool, 4> Open() {
    std::array<bool, 4> out{};
    for (int i = 0; i < 4; ++i) out[std::size_t(i)] = strip().button(i)->isEnabled();
    return out;
  }
  // Slot 1 "Conf1" with the configuration items given.
  void Seed(std::vector<std::pair<int, int>> items) {
    ASSERT_EQ(sensor.model.createConfig({0, "Conf1", -1}), vt::sim::kSimOk);
    sensor.model.access([&](vt::sim::SensorData& d) {
      auto& config = d.slots[0].data.parameters.configData;
      for (auto [position, value] : items) config[position] = value;
      return 0;
    });
    ASSERT_EQ(sensor.model.closeAndSave(), vt::sim::kSimOk);
  }
  void Connect() {
    Utf8ToUtf16String(state().m_strConnectAddress, sensor.server.address());
    state().m_nConnectPort = sensor.server.port();
    state().m_bBusy = 1;
    window->PostSensorCommand(CMD_CONNECT);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_GET_CONFIG_LIST) >= 1; }, 20000));
    ASSERT_TRUE(Idle());
    prompt.clear();
  }
  void CommandButton(int id) {
    QPushButton* b = manager().buttons()->button(id);
    ASSERT_TRUE(b && b->isEnabled()) << id;
    QTest::mouseClick(b, Qt::LeftButton);
  }
  void Select(QTreeWidgetItem* item) {
    ASSERT_TRUE(item);
    manager().tree()->tree()->setCurrentItem(item);
    item->setSelected(true);
  }
  // The command bar's Edit on configuration 1.
  void EditExisting() {
    Select(manager().tree()->itemOfConfig(1));
    CommandButton(1050);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_GET_CONFIG_DATA) >= 1; }, 20000));
    ASSERT_TRUE(Idle());
  }
  // The command bar's New under the root, number 2.
  void CreateNew() {
    prompt.setDialogHandler([](QDialog& d) {
      if (auto* named = dynamic_cast<ConfigNameDialog*>(&d)) {
        named->nameEdit()->setText(QStringLiteral("Fresh"));
        named->numberCombo()->setCurrentIndex(named->numberCombo()->findText(QStringLiteral("02")));
        QTest::mouseClick(named->okButton(), Qt::LeftButton);
      }
      return d.result();
    });
    Select(manager().tree()->rootItem());
    CommandButton(1048);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_GET_CONFIG_DATA) >= 1; }, 20000));
    ASSERT_TRUE(Idle());
  }
  void Click(int page) {
    QTest::mouseClick(strip().button(page), Qt::LeftButton);
    ASSERT_TRUE(Idle());
  }
};


}  // namespace vt::test

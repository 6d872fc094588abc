// The main window with the code definition page and its sensor
// notifications, against a simulated sensor whose configurations are in
// range, with configuration 1 ("Conf1", Data Matrix) open in the editor.
#pragma once
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "simulated_sensor.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <vector>

#include "codedef/code_definition_tabctrl.h"
#include "codedef/config_code_definition.h"
#include "codedef/config_code_definition_tab1.h"
#include "commands/sensor_notify.h"
#include "core/sensor_command.h"
#include "gui_test_support.h"
#include "services/recording_prompt.h"
#include "sim/parameter_methods.h"
#include "sim/plausible_records.h"
#include "text/text_codecs.h"
#include "window/lock_library.h"
#include "window/main_window.h"

namespace vt::test {

// The sensor's records, read and changed beside the program.
#pragma push_macro("slots")
#undef slots
inline vt::sim::SlotParameters& SlotRecords(vt::sim::SensorData& d, int index) {
  return d.slots[static_cast<std::size_t>(index)].data.parameters;
}
#pragma pop_macro("slots")

struct CodeDefinitionFixture : ::testing::Test {
  void SetUp() override {
    vt::sim::usePlausibleRecords(sensor.model);
    ASSERT_TRUE(sensor.Start()) << sensor.error();
    MainPanels panels;
    auto page = std::make_unique<CConfigCodeDefinition>();
    codeDefinition = page.get();
    panels.codeDefinition = std::move(page);
    AddPanels(panels);
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
    window->show();
    codeDefinition->show();
    prompt.clear();
  }
  void TearDown() override {
    notify.reset();
    window.reset();
  }

  // Further pages a test plugs in beside the code definition page.
  virtual void AddPanels(MainPanels& /*panels*/) {}

  MainDialogState& state() { return window->state(); }
  CConfigCodeDefinitionTab1& tab1() { return *codeDefinition->tab1(); }
  CCodeDefinitionTabctrl& tabs() { return *codeDefinition->tabs(); }
  int Count(int id) const { return static_cast<int>(std::count(handled.begin(), handled.end(), id)); }
  bool WaitHandled(int id, int times = 1) {
    return QTest::qWaitFor([&] { return Count(id) >= times; }, 30000);
  }
  bool Idle() {
    return QTest::qWaitFor([&] { return state().m_nOutstandingCommands == 0 && !state().m_bBusy; }, 30000);
  }
  // Slot `index` with the code type and recognition mode, opened in the editor
  // as the configuration manager does; the page shows what the sensor sent.
  void OpenConfiguration(int codeType, int mode = 2, int index = 0) {
    const vt::sim::SlotRef slot{index, "Conf1", 0};
    ASSERT_EQ(sensor.model.createConfig(slot), vt::sim::kSimOk);
    sensor.model.access([&](vt::sim::SensorData& d) {
      auto& config = SlotRecords(d, index).configData;
      config[32] = codeType;
      config[33] = mode;
    });
    ASSERT_EQ(sensor.model.closeAndSave(), vt::sim::kSimOk);
    state().m_bBusy = 1;
    window->PostSensorCommand(CMD_CONNECT);
    ASSERT_TRUE(WaitHandled(CMD_CONNECT));
    ASSERT_TRUE(Idle());
    state().m_nConfigIndex = index;
    state().m_nGroup = 0;
    state().m_strConfigName = u"Conf1";
    state().m_bNameEncoded = false;
    state().m_bEditorMode = 1;
    state().m_nWizardStep = 11;
    state().m_bBusy = 1;
    window->PostSensorCommand(CMD_EDIT_CONFIG);
    ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_DATA));
    ASSERT_TRUE(Idle());
    prompt.clear();
  }
  // The configuration item as the simulator keeps it now.
  XmlRpc::XmlRpcValue ConfigItem(int position, int index = 0) {
    return sensor.model.access([&](vt::sim::SensorData& d) {
      return SlotRecords(d, index).configData[position];
    });
  }
  XmlRpc::XmlRpcValue Ecc200Item(int position, int index = 0) {
    return sensor.model.access([&](vt::sim::SensorData& d) {
      return SlotRecords(d, index).codeDataOf(vt::sim::CodeFamily::Ecc200)[position];
    });
  }
  // Focus into an edit, type, and leave it towards another widget.
  void TypeAndLeave(QLineEdit* edit, const QString& text, QWidget* to) {
    edit->setFocus();
    edit->selectAll();
    edit->setText(text);
    to->setFocus();
    QApplication::processEvents();
  }
  QStringList Texts() const {
    QStringList out;
    for (const auto& r : prompt.messages()) out << r.text;
    return out;
  }

  LibCopy lib;
  SimulatedSensor sensor;
  RecordingPrompt prompt;
  CConfigCodeDefinition* codeDefinition = nullptr;
  std::unique_ptr<CVarnisDatamatrixDlg> window;
  std::unique_ptr<CSensorNotify> notify;
  std::vector<int> handled;
  std::vector<int> statuses;
};

}  // namespace vt::test

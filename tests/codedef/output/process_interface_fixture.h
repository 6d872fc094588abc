// The main window with the process-interface page and its sensor
// notifications, against a simulated sensor whose configurations are in
// range, with configuration 1 ("Conf1") open in the editor on the page.
#pragma once
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "simulated_sensor.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <algorithm>
#include <functional>
#include <vector>

#include "codedef/output/config_process_interface.h"
#include "codedef/output/config_process_interface_tab1.h"
#include "codedef/output/config_process_interface_tab2.h"
#include "commands/sensor_notify.h"
#include "controls/process_interface_tab_ctrl.h"
#include "core/code_types.h"
#include "core/sensor_command.h"
#include "gui_test_support.h"
#include "services/recording_prompt.h"
#include "sim/parameter_methods.h"
#include "sim/plausible_records.h"
#include "text/text_codecs.h"
#include "window/lock_library.h"
#include "window/main_window.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace vt::test {

// Configuration items of the process interface (the simulator's list positions).
enum ConfigItem {
  kWorkingMode = 18,
  kAppendConfiguration = 19,
  kAppendSymbology = 20,
  kAppendCodePosition = 21,
  kAppendDescription = 22,
  kAppendImageData = 23,
  kStartString = 24,
  kStopString = 25,
  kFailString = 26,
  kMatchString = 27,
  kReferenceCode = 28,
  kQualityOutput = 29,
  kCodeTypeItem = 32,
  kStringNumeration = 49,
  kRdyOut = 50,
};

#pragma push_macro("slots")
#undef slots
inline vt::sim::SlotParameters& PageSlotRecords(vt::sim::SensorData& d, int index) {
  return d.slots[static_cast<std::size_t>(index)].data.parameters;
}
#pragma pop_macro("slots")

struct ProcessInterfaceFixture : ::testing::Test {
  using Tab1 = CConfigProcessInterfaceTab1;

  void SetUp() override {
    vt::sim::usePlausibleRecords(sensor.model);
    ASSERT_TRUE(sensor.Start()) << sensor.error();
    MainPanels panels;
    auto made = std::make_unique<CConfigProcessInterface>();
    page = made.get();
    panels.processInterface = std::move(made);
    window = std::make_unique<CVarnisDatamatrixDlg>(prompt, std::move(panels));
    window->setLockLibrary(MakeKeltrovLibrary());
    ASSERT_EQ(window->OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
    notify = std::make_unique<CSensorNotify>(*window);
    QObject::connect(notify.get(), &CSensorNotify::notified, [this](int id, int) { handled.push_back(id); });
    Utf8ToUtf16String(state().m_strConnectAddress, sensor.server.address());
    state().m_nConnectPort = sensor.server.port();
    window->show();
    page->show();
    prompt.clear();
  }
  void TearDown() override {
    notify.reset();
    window.reset();
  }

  MainDialogState& state() { return window->state(); }
  Tab1& tab1() { return *page->tab1(); }
  CConfigProcessInterfaceTab2& tab2() { return *page->tab2(); }
  int Count(int id) const { return static_cast<int>(std::count(handled.begin(), handled.end(), id)); }
  bool WaitHandled(int id, int times = 1) {
    return QTest::qWaitFor([&] { return Count(id) >= times; }, 30000);
  }
  bool Idle() {
    return QTest::qWaitFor([&] { return state().m_nOutstandingCommands == 0 && !state().m_bBusy; }, 30000);
  }
  // The sensor's configuration item, read or set beside the program.
  XmlRpc::XmlRpcValue Item(int position) {
    return sensor.model.access([&](vt::sim::SensorData& d) { return PageSlotRecords(d, 0).configData[position]; });
  }
  void SetItems(const std::function<void(XmlRpc::XmlRpcValue&)>& change) {
    sensor.model.access([&](vt::sim::SensorData& d) { change(PageSlotRecords(d, 0).configData); });
  }
  // Slot 0 with the code type, changed by `change`, opened in the editor on
  // the process-interface page; the page shows what the sensor sent.
  void Open(int codeType, const std::function<void(XmlRpc::XmlRpcValue&)>& change = {}) {
    const vt::sim::SlotRef slot{0, "Conf1", 0};
    ASSERT_EQ(sensor.model.createConfig(slot), vt::sim::kSimOk);
    SetItems([&](XmlRpc::XmlRpcValue& config) {
      config[kCodeTypeItem] = codeType;
      if (change) change(config);
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
    state().m_nWizardStep = 15;
    state().m_bBusy = 1;
    window->PostSensorCommand(CMD_EDIT_CONFIG);
    ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_DATA));
    ASSERT_TRUE(Idle());
    prompt.clear();
  }
  // The edited configuration read again, as after a write elsewhere.
  void Reread(const std::function<void(XmlRpc::XmlRpcValue&)>& change = {}) {
    if (change) SetItems(change);
    const int reads = Count(CMD_GET_CONFIG_DATA);
    state().m_nConfigId = 0;
    state().m_bBusy = 1;
    window->PostSensorCommand(CMD_GET_CONFIG_DATA);
    ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_DATA, reads + 1));
    ASSERT_TRUE(Idle());
  }
  // The page's settings written as the Test output button does, without its dialog.
  int Apply() {
    state().m_bBusy = 1;
    const int result = page->ApplySettings();
    state().m_bBusy = 0;
    return result;
  }
  // The user picks an item of a list (arrow keys: the list reports the choice).
  static void Choose(QComboBox* combo, int item) {
    combo->setFocus();
    for (int guard = 0; combo->currentIndex() != item && guard < 20; ++guard)
      QTest::keyClick(combo, combo->currentIndex() < item ? Qt::Key_Down : Qt::Key_Up);
  }
  void ClickTab(int tab) {
    page->tabs()->tabBar()->setCurrentIndex(tab);
    QApplication::processEvents();
  }
  QStringList Texts() const {
    QStringList out;
    for (const auto& r : prompt.messages()) out << r.text;
    return out;
  }
  std::size_t Calls(const char* method) { return sensor.server.countCalls(method); }

  LibCopy lib;
  SimulatedSensor sensor;
  RecordingPrompt prompt;
  CConfigProcessInterface* page = nullptr;
  std::unique_ptr<CVarnisDatamatrixDlg> window;
  std::unique_ptr<CSensorNotify> notify;
  std::vector<int> handled;
};

}  // namespace vt::test

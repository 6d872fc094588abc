// The main window with the process-interface page and its sensor
// notifications, against a simulated sensor whose configurations are in
// range, with configuration 1 ("Conf1") open in the editor on the page.
#pragma once
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "sim_window_fixture.h"

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
#include "controls/process_interface_tab_ctrl.h"
#include "core/code_types.h"
#include "sim/parameter_methods.h"
#include "sim/plausible_records.h"

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

struct ProcessInterfaceFixture : SimWindowFixture {
  using Tab1 = CConfigProcessInterfaceTab1;

  void SetUp() override {
    vt::sim::usePlausibleRecords(sensor.model);
    MainPanels panels;
    auto made = std::make_unique<CConfigProcessInterface>();
    page = made.get();
    panels.processInterface = std::move(made);
    AddPanels(panels);
    ASSERT_NO_FATAL_FAILURE(StartWindow(std::move(panels)));
    window->show();
    page->show();
    prompt.clear();
  }

  // Further panels a test plugs in beside the page.
  virtual void AddPanels(MainPanels& /*panels*/) {}

  Tab1& tab1() { return *page->tab1(); }
  CConfigProcessInterfaceTab2& tab2() { return *page->tab2(); }
  // The sensor's configuration item, read or set beside the program.
  XmlRpc::XmlRpcValue Item(int position) {
    return sensor.model.access([&](vt::sim::SensorData& d) { return SlotRecords(d, 0).configData[position]; });
  }
  void SetItems(const Items& change) {
    sensor.model.access([&](vt::sim::SensorData& d) { change(SlotRecords(d, 0).configData); });
  }
  // Slot 0 with the code type, changed by `change`, opened in the editor on
  // the process-interface page; the page shows what the sensor sent.
  void Open(int codeType, const Items& change = {}) {
    OpenInEditor(0, 15, [&](XmlRpc::XmlRpcValue& config) {
      config[kCodeTypeItem] = codeType;
      if (change) change(config);
    });
  }
  // The edited configuration read again, as after a write elsewhere.
  void Reread(const Items& change = {}) { ReadAgain(change); }
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
  std::size_t Calls(const char* method) { return sensor.server.countCalls(method); }

  CConfigProcessInterface* page = nullptr;
};

}  // namespace vt::test

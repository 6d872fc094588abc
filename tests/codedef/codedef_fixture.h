// The main window with the code definition page and its sensor
// notifications, against a simulated sensor whose configurations are in
// range, with configuration 1 ("Conf1", Data Matrix) open in the editor.
#pragma once
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "sim_window_fixture.h"

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
#include "sim/parameter_methods.h"
#include "sim/plausible_records.h"

namespace vt::test {

struct CodeDefinitionFixture : SimWindowFixture {
  void SetUp() override {
    vt::sim::usePlausibleRecords(sensor.model);
    MainPanels panels;
    auto page = std::make_unique<CConfigCodeDefinition>();
    codeDefinition = page.get();
    panels.codeDefinition = std::move(page);
    AddPanels(panels);
    ASSERT_NO_FATAL_FAILURE(StartWindow(std::move(panels)));
    window->show();
    codeDefinition->show();
    prompt.clear();
  }

  // Further pages a test plugs in beside the code definition page.
  virtual void AddPanels(MainPanels& /*panels*/) {}

  CConfigCodeDefinitionTab1& tab1() { return *codeDefinition->tab1(); }
  CCodeDefinitionTabctrl& tabs() { return *codeDefinition->tabs(); }
  // Slot `index` with the code type and recognition mode, opened in the editor
  // as the configuration manager does; the page shows what the sensor sent.
  void OpenConfiguration(int codeType, int mode = 2, int index = 0) {
    OpenInEditor(index, 11, [&](XmlRpc::XmlRpcValue& config) {
      config[32] = codeType;
      config[33] = mode;
    });
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

  CConfigCodeDefinition* codeDefinition = nullptr;
};

}  // namespace vt::test

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
#include <QTabBar>
#include <QTest>
#include <algorithm>
#include <vector>

#include "codedef/code_definition_tabctrl.h"
#include "codedef/config_code_definition.h"
#include "codedef/config_code_definition_tab1.h"
#include "sim/parameter_methods.h"
#include "sim/plausible_records.h"

namespace vt::test {

// A real click at a control's place: the widget the control's window has
// there must be the control or a part of it (a spin's arrow, a list's
// button); `at` is in the control's coordinates, its centre by default.
inline void ClickAt(QWidget* control, QPoint at = QPoint(-1, -1), Qt::MouseButton button = Qt::LeftButton) {
  ASSERT_NE(control, nullptr);
  QWidget* top = control->window();
  const QPoint local = at == QPoint(-1, -1) ? control->rect().center() : at;
  const QPoint inTop = control->mapTo(top, local);
  QWidget* hit = top->childAt(inTop);
  ASSERT_TRUE(hit == control || control->isAncestorOf(hit))
      << control->objectName().toStdString() << " is covered by "
      << (hit ? hit->metaObject()->className() : "nothing") << " " << (hit ? hit->objectName().toStdString() : "");
  QTest::mouseClick(hit, button, {}, hit->mapFrom(top, inTop));
}

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
    // The connection showed the sensor page; the editor shows this one.
    codeDefinition->show();
    codeDefinition->raise();
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
  // A click on the tab's place in the tab strip.
  void ClickTabAt(int tab) {
    ClickAt(tabs().tabBar(), tabs().tabBar()->tabRect(tab).center());
    QApplication::processEvents();
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

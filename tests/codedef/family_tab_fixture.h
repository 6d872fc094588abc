// The family tabs (tab 2 of the code definition page) against the simulated
// sensor: entering the tab, leaving it, and the sensor's code data beside it.
#pragma once
#include "codedef_fixture.h"

#include <QCheckBox>
#include <QTabBar>
#include <QToolButton>

#include "codedef/two_d_code_tab.h"
#include "controls/num_spin_ctrl.h"
#include "core/code_types.h"
#include "sim/slot_parameters.h"

// Readable texts in the failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace vt::test {

struct FamilyTabFixture : CodeDefinitionFixture {
  void ClickTab(int tab) {
    tabs().tabBar()->setCurrentIndex(tab);
    QApplication::processEvents();
  }
  // Tab 2 entered; the family's Get answered and shown.
  void EnterCodeTab(int getCommand) {
    const int gets = Count(getCommand);
    ClickTab(2);
    ASSERT_TRUE(WaitHandled(getCommand, gets + 1));
    ASSERT_TRUE(Idle());
    ASSERT_NE(codeDefinition->codeTab(), nullptr);
  }
  // Back to tab 0: the tab's changes go out with its Set.
  void LeaveToTab0(int setCommand) {
    const int sets = Count(setCommand);
    ClickTab(0);
    ASSERT_TRUE(WaitHandled(setCommand, sets + 1));
    ASSERT_TRUE(Idle());
    ASSERT_EQ(tabs().currentTab(), 0);
  }
  template <class Tab>
  Tab* CodeTabAs() {
    return qobject_cast<Tab*>(codeDefinition->codeTab());
  }
  XmlRpc::XmlRpcValue CodeData(vt::sim::CodeFamily family, int index = 0) {
    return sensor.model.access([&](vt::sim::SensorData& d) { return SlotRecords(d, index).codeDataOf(family); });
  }
  void SetCodeItem(vt::sim::CodeFamily family, int position, XmlRpc::XmlRpcValue value, int index = 0) {
    sensor.model.access([&](vt::sim::SensorData& d) { SlotRecords(d, index).codeDataOf(family)[position] = value; });
  }
  // One click on the spin's up (delta > 0) or down arrow.
  static void ClickSpin(CNumSpinCtrl* spin, int delta) {
    auto* arrow = spin->findChild<QToolButton*>(delta > 0 ? QStringLiteral("up") : QStringLiteral("down"));
    QTest::mouseClick(arrow, Qt::LeftButton);
  }
  // A click on a check box's indicator.
  static void ClickCheck(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(7, box->height() / 2)); }
  // Puts text into an edit without a focus change (the whole-tab check reads it).
  static void Put(QLineEdit* edit, const QString& text) { edit->setText(text); }
};

// The sensor's item as text, for tables that mix numbers and words.
inline QString ItemText(const XmlRpc::XmlRpcValue& v) {
  switch (v.getType()) {
    case XmlRpc::XmlRpcValue::TypeInt: return QString::number(v.asInt());
    case XmlRpc::XmlRpcValue::TypeDouble: return QString::number(v.asDouble(), 'f', 4);
    case XmlRpc::XmlRpcValue::TypeString: return QString::fromStdString(v.asString());
    default: return QStringLiteral("?");
  }
}

// The whole family list as texts, item by item.
inline QStringList ItemTexts(const XmlRpc::XmlRpcValue& list) {
  QStringList out;
  XmlRpc::XmlRpcValue copy = list;
  for (int i = 0; i < copy.size(); ++i) out << ItemText(copy[i]);
  return out;
}

}  // namespace vt::test

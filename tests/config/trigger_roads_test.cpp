// The trigger tab on the operator's roads through the program's whole window
// against the simulated sensor: a configuration chosen in the tree, opened
// with the command bar's Edit, its trigger tab and image-quality tab used
// with clicks and keys, and the page buttons; then what the sensor holds.
#include "editor_window_fixture.h"

#include <QCheckBox>
#include <QTabBar>

#include "codedef/image/config_image_qty_param.h"
#include "codedef/image/config_img_quality.h"
#include "controls/button_draw.h"
#include "controls/image_quality_tabctrl.h"
#include "controls/num_spin_ctrl.h"

namespace vt::test {
namespace {

constexpr int kItemInternal = 3, kItemCodeType = 32, kItemTriggerSource = 43, kItemTriggerWindow = 44,
              kItemGoodReadingsTry = 45, kItemWithinTime = 46;

struct TriggerRoads : EditorWindowTest {
  CConfigImgQuality& imagePage() { return *dynamic_cast<CConfigImgQuality*>(window->panels().imageQuality.get()); }
  int Item(int position) {
    return sensor.model.access([&](vt::sim::SensorData& d) {
      XmlRpc::XmlRpcValue v = d.slots[0].data.parameters.configData[position];
      return v.getType() == XmlRpc::XmlRpcValue::TypeInt ? int(v) : -9999;
    });
  }
  // The image-quality page's tab (0 image, 1 trigger) by a click on it.
  void Tab(int index) {
    QTabBar* bar = imagePage().tabs()->findChild<QTabBar*>();
    ASSERT_TRUE(bar);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    ASSERT_TRUE(Idle());
    ASSERT_EQ(trigger().isVisible(), index == 1);
  }
  // A click at the widget's place in the window.
  void ClickAt(QWidget* w, QPoint at) {
    ASSERT_EQ(window->childAt(w->mapTo(window.get(), at)), w) << w->objectName().toStdString();
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
  }
  void ClickItem(QTreeWidgetItem* item) {
    QTreeWidget* tree = manager().tree()->tree();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
  }
  void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
};

// A configuration shown cut and chosen again keeps its trigger window: the
// editor shows it in use and the page switch writes it as it was.
TEST_F(TriggerRoads, ACutMarkedConfigurationKeepsItsTriggerWindow) {
  Seed({{kItemCodeType, 1}, {kItemTriggerSource, 0}, {kItemTriggerWindow, 1}, {kItemGoodReadingsTry, 5},
        {kItemWithinTime, 500}});
  ASSERT_EQ(sensor.model.createConfig({1, "Other", -1}), vt::sim::kSimOk);
  ASSERT_EQ(sensor.model.closeAndSave(), vt::sim::kSimOk);
  Connect();
  QTreeWidgetItem* conf = manager().tree()->itemOfConfig(1);
  ClickItem(conf);
  QTest::keyClick(manager().tree()->tree(), Qt::Key_X, Qt::ControlModifier);
  ASSERT_EQ(CConfigTreeView::IconOf(conf), TreeIcon::kConfigCut);
  ClickItem(manager().tree()->itemOfConfig(2));
  ClickItem(conf);
  ASSERT_EQ(CConfigTreeView::IconOf(conf), TreeIcon::kConfigCut);
  CommandButton(1050);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_GET_CONFIG_DATA) >= 1; }, 20000));
  ASSERT_TRUE(Idle());
  Tab(1);
  EXPECT_TRUE(trigger().windowBox()->isChecked());
  EXPECT_TRUE(trigger().windowBox()->isEnabled());
  EXPECT_TRUE(trigger().nEdit()->isEnabled());
  Click(kCodeDefinition);
  ASSERT_EQ(state().m_nWizardStep, 11);
  EXPECT_EQ(Item(kItemTriggerWindow), 1);
  EXPECT_EQ(Item(kItemGoodReadingsTry), 5);
  EXPECT_TRUE(prompt.messages().isEmpty());
}

// A source the list does not offer (software triggering on software 3100)
// is shown as none and stays on the sensor through the page's writes.
TEST_F(TriggerRoads, ASourceTheListCannotShowStaysAsStored) {
  Seed({{kItemCodeType, 1}, {kItemTriggerSource, 4}, {kItemTriggerWindow, 0}});
  Connect();
  ASSERT_EQ(state().m_strSoftwareVersion, u"3100");
  EditExisting();
  Tab(1);
  EXPECT_EQ(trigger().sourceCombo()->count(), 4);
  EXPECT_EQ(trigger().sourceCombo()->currentIndex(), -1);
  EXPECT_TRUE(trigger().sourceCombo()->currentText().isEmpty());
  SaveScreenshot(trigger(), "trigger_page_source_not_offered");
  // The window box is written at once, and with it the source as stored.
  QCheckBox* box = trigger().windowBox();
  ClickAt(box, QPoint(8, box->height() / 2));
  ASSERT_TRUE(box->isChecked());
  EXPECT_EQ(Item(kItemTriggerWindow), 1);
  EXPECT_EQ(Item(kItemTriggerSource), 4);
  Tab(0);
  Tab(1);
  EXPECT_EQ(trigger().sourceCombo()->currentIndex(), -1);
  Click(kCodeDefinition);
  ASSERT_EQ(state().m_nWizardStep, 11);
  EXPECT_EQ(Item(kItemTriggerSource), 4);
  EXPECT_TRUE(prompt.messages().isEmpty());
}

// N and T typed on the trigger tab survive a lighting change on the image
// tab (its write and read-back) and reach the sensor with the page switch.
TEST_F(TriggerRoads, TypedNAndTSurviveALightingChange) {
  Seed({{kItemCodeType, 1}, {kItemInternal, 1}, {kItemTriggerSource, 0}, {kItemTriggerWindow, 1},
        {kItemGoodReadingsTry, 5}, {kItemWithinTime, 500}});
  Connect();
  EditExisting();
  Tab(1);
  Type(trigger().nEdit(), "9");
  Type(trigger().tEdit(), "700");
  Tab(0);
  const int reads = Count(CMD_GET_CONFIG_DATA);
  CButtonDraw* external = imagePage().parameters()->button(1077);
  ClickAt(external, external->rect().center());
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_DATA, reads + 1));
  ASSERT_TRUE(Idle());
  ASSERT_EQ(Item(kItemInternal), 0);
  Tab(1);
  EXPECT_EQ(trigger().nEdit()->text(), "9");
  EXPECT_EQ(trigger().tEdit()->text(), "700");
  SaveScreenshot(trigger(), "trigger_page_typed_after_lighting");
  Click(kCodeDefinition);
  ASSERT_EQ(state().m_nWizardStep, 11);
  EXPECT_EQ(Item(kItemGoodReadingsTry), 9);
  EXPECT_EQ(Item(kItemWithinTime), 700);
  EXPECT_EQ(Item(kItemInternal), 0);
  EXPECT_TRUE(prompt.messages().isEmpty());
}

// While the trigger test runs neither N nor T can be changed: their arrows
// are off with the fields.
TEST_F(TriggerRoads, TheTriggerTestLocksNAndT) {
  Seed({{kItemCodeType, 1}, {kItemTriggerSource, 0}, {kItemTriggerWindow, 1}, {kItemGoodReadingsTry, 5},
        {kItemWithinTime, 500}});
  Connect();
  EditExisting();
  Tab(1);
  CButtonDraw* test = trigger().testButton();
  ClickAt(test, test->rect().center());
  ASSERT_TRUE(WaitHandled(CMD_TEST_TRIGGER_ON));
  ASSERT_TRUE(test->isChecked());
  for (QWidget* w : std::initializer_list<QWidget*>{trigger().nEdit(), trigger().nSpin(), trigger().tEdit(),
                                                    trigger().tSpin()})
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  CNumSpinCtrl* spin = trigger().nSpin();
  QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, 3));
  EXPECT_EQ(trigger().nEdit()->text(), "5");
  SaveScreenshot(trigger(), "trigger_page_test_locked");
  ClickAt(test, test->rect().center());
  ASSERT_TRUE(WaitHandled(CMD_TEST_TRIGGER_OFF));
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(trigger().nSpin()->isEnabled());
  EXPECT_EQ(Item(kItemGoodReadingsTry), 5);
}

}  // namespace
}  // namespace vt::test

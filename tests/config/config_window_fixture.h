#pragma once
// The main window with the configuration manager, connected to a simulated
// sensor with slots in groups and without (one plain-named), for the
// configuration window tests.
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "sim_window_fixture.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <functional>

#include "config/config_dialogs.h"
#include "config/config_info_dlg.h"
#include "config/config_manager.h"
#include "core/sensor_command.h"
#include "core/text_escape.h"
#include "text/config_name_codec.h"
#include "text/text_codecs.h"

// The simulator's member "slots" below, not Qt's keyword.
#undef slots

namespace vt::test {

inline std::string Encoded(std::u16string_view name) {
  std::string out;
  EncodeConfigName(out, name);
  return out;
}

struct ConfigWindowTest : SimWindowFixture {
  void SetUp() override {
    vt::sim::addConfigFileMethods(sensor.server, sensor.model);
    ASSERT_NO_FATAL_FAILURE(Seed());
    MainPanels panels;
    auto manager = std::make_unique<CConfigManager>();
    panels.configDialogs = std::make_unique<CConfigDialogs>(*manager);
    this->manager = manager.get();
    panels.configManager = std::move(manager);
    ASSERT_NO_FATAL_FAILURE(StartWindow(std::move(panels)));
    ASSERT_NO_FATAL_FAILURE(ConnectToConfigurationList());
    // The user opens groups 1 and 2; they stay open through every refill.
    Group(1)->setExpanded(true);
    Group(2)->setExpanded(true);
    prompt.clear();
  }

  // Slots in groups and without; slot 2 came plain from the sensor (its escaped form).
  void Seed() {
    // Records in range, as a sensor keeps them.
    sensor.model.access([](vt::sim::SensorData& d) {
      d.plausibleRecords = true;
      return 0;
    });
    struct S {
      int index;
      std::string name;
      int group;
    };
    for (const S& s : std::vector<S>{{0, Encoded(u"Alpha"), -1}, {2, "Line=5F1", -1}, {4, Encoded(u"Oven A"), 0},
                                     {5, Encoded(u"Oven B"), 0}, {9, Encoded(u"Pack"), 1}}) {
      ASSERT_EQ(sensor.model.createConfig({s.index, s.name, s.group}), vt::sim::kSimOk);
      ASSERT_EQ(sensor.model.closeAndSave(), vt::sim::kSimOk);
    }
    sensor.parameters.with([](vt::sim::SensorRecords& r) {
      r.groupList[0] = Encoded(u"Ovens");
      r.groupList[1] = Encoded(u"Packing");
      return 0;
    });
  }
  void UseTriggerWindow(int index) {
    sensor.model.access([&](vt::sim::SensorData& d) {
      d.slots[static_cast<std::size_t>(index)].data.parameters.configData[44] = 1;
      return 0;
    });
  }

  QTreeWidget* tree() const { return manager->tree()->tree(); }
  QTreeWidgetItem* Config(int number) const { return manager->tree()->itemOfConfig(number); }
  QTreeWidgetItem* Group(int group) const { return manager->tree()->itemOfGroup(group); }
  QTreeWidgetItem* Root() const { return manager->tree()->rootItem(); }
  void Select(QTreeWidgetItem* item) {
    ASSERT_TRUE(item);
    tree()->setFocus();
    tree()->setCurrentItem(item);
    item->setSelected(true);
  }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(tree(), static_cast<Qt::Key>(key), mods);
  }
  void Button(int id) {
    QPushButton* b = manager->buttons()->button(id);
    ASSERT_TRUE(b);
    ASSERT_TRUE(b->isEnabled()) << id;
    QTest::mouseClick(b, Qt::LeftButton);
  }
  // A mouse event straight to the tree's viewport (Ctrl travels with moves).
  void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = {}) {
    QWidget* vp = tree()->viewport();
    QMouseEvent e(type, QPointF(pos), QPointF(vp->mapToGlobal(pos)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, mods);
    QApplication::sendEvent(vp, &e);
  }
  void Drag(QTreeWidgetItem* from, QPoint to, bool ctrl) {
    const QPoint start = tree()->visualItemRect(from).center();
    Mouse(QEvent::MouseButtonPress, start, Qt::LeftButton);
    Mouse(QEvent::MouseMove, start + QPoint(0, QApplication::startDragDistance() + 2), Qt::LeftButton,
          ctrl ? Qt::ControlModifier : Qt::NoModifier);
    Mouse(QEvent::MouseMove, to, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
  }
  QPoint At(QTreeWidgetItem* item) { return tree()->visualItemRect(item).center(); }
  // The New or Rename dialog answered with a name and a number.
  void AnswerNameDialog(const QString& name, int number, QString* title = nullptr, QString* shownName = nullptr) {
    prompt.setDialogHandler([=](QDialog& d) {
      if (title) *title = d.windowTitle();
      auto* edit = d.findChild<QLineEdit*>(QStringLiteral("id1000")) ? d.findChild<QLineEdit*>(QStringLiteral("id1000"))
                                                                      : d.findChild<QLineEdit*>(QStringLiteral("id1038"));
      auto* combo = d.findChild<QComboBox*>(QStringLiteral("id1054"));
      if (shownName) *shownName = edit->text();
      edit->setText(name);
      combo->setCurrentIndex(combo->findText(QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'))));
      QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("id1")), Qt::LeftButton);
      return d.result();
    });
  }

  // The sensor's slots: "index:name:group:master" of each used one, and the active one.
  std::string SlotTable() {
    const vt::sim::SensorData d = sensor.model.snapshot();
    std::string out;
    for (int k = 0; k < 32; ++k) {
      const auto& s = d.slots[static_cast<std::size_t>(k)];
      if (!s.used) continue;
      std::string name;
      Utf16ToUtf8String(name, DecodeSensorText(s.name));
      out += std::to_string(k) + ":" + name + ":" + std::to_string(s.group) + ":" + std::to_string(s.masterState) +
             (k == d.activeConfig ? ":A" : "") + " ";
    }
    return out;
  }
  // The tree shows the sensor's slots: text, place and icon of each.
  ::testing::AssertionResult TreeMatchesSensor() {
    const vt::sim::SensorData d = sensor.model.snapshot();
    int shown = 0;
    for (int k = 0; k < 32; ++k) {
      const auto& s = d.slots[static_cast<std::size_t>(k)];
      if (!s.used) continue;
      ++shown;
      QTreeWidgetItem* item = Config(k + 1);
      if (!item) return ::testing::AssertionFailure() << "no item of " << k + 1;
      CConfig c;
      c.number = k + 1;
      c.name = DecodeSensorText(s.name);
      c.group = s.group + 1;
      c.masterState = s.masterState;
      c.active = k == d.activeConfig;
      if (item->text(0) != QString::fromStdU16String(ConfigItemText(c)))
        return ::testing::AssertionFailure() << item->text(0).toStdString();
      if (item->parent() != (s.group < 0 ? Root() : Group(s.group + 1)))
        return ::testing::AssertionFailure() << "wrong parent of " << k + 1;
      if (CConfigTreeView::IconOf(item) != ConfigIcon(c))
        return ::testing::AssertionFailure() << "icon " << CConfigTreeView::IconOf(item) << " of " << k + 1;
    }
    int items = 0;
    for (int i = 0; i < Root()->childCount(); ++i) {
      QTreeWidgetItem* top = Root()->child(i);
      items += top->data(0, CConfigTreeView::KindRole).toInt() == CConfigTreeView::ConfigItem ? 1 : top->childCount();
    }
    if (items != shown) return ::testing::AssertionFailure() << items << " items for " << shown << " slots";
    return ::testing::AssertionSuccess();
  }
  // Fills every free slot of the sensor (ungrouped "Fill nn") and lets the
  // program read the list again.
  void FillAllSlots() {
    for (int k = 0; k < 32; ++k) {
      if (sensor.model.snapshot().slots[static_cast<std::size_t>(k)].used) continue;
      ASSERT_EQ(sensor.model.createConfig({k, Encoded(u"Fill " + QString::number(k + 1).toStdU16String()), -1}),
                vt::sim::kSimOk);
      ASSERT_EQ(sensor.model.closeAndSave(), vt::sim::kSimOk);
    }
    ReadListAgain();
  }
  void ReadListAgain() {
    const int before = Count(CMD_GET_CONFIG_LIST);
    Post(CMD_GET_CONFIG_LIST);
    ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST, before + 1));
    ASSERT_TRUE(Idle());
  }
  // The texts of string ids, as the messages show them.
  QStringList Texts(const std::vector<int>& ids) const {
    QStringList out;
    for (int id : ids) out << window->text(id);
    return out;
  }
  QStringList Messages() const {
    QStringList out;
    for (const auto& r : prompt.requests())
      if (r.kind == RecordingPrompt::Kind::Message && r.icon != QMessageBox::Question) out << r.text;
    return out;
  }

  CConfigManager* manager = nullptr;
};

}  // namespace vt::test

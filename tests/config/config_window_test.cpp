// The configuration manager in the main window against the simulated
// sensor: tree keys, context menu, drag and the command bar, each row
// checked against the sensor's slot table and the tree.
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "simulated_sensor.h"

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

#include "commands/sensor_notify.h"
#include "config/config_dialogs.h"
#include "config/config_info_dlg.h"
#include "config/config_manager.h"
#include "core/sensor_command.h"
#include "core/text_escape.h"
#include "gui_test_support.h"
#include "services/recording_prompt.h"
#include "text/config_name_codec.h"
#include "text/text_codecs.h"
#include "window/lock_library.h"
#include "window/main_window.h"

// The simulator's member "slots" below, not Qt's keyword.
#undef slots

namespace vt::test {
namespace {

std::string Encoded(std::u16string_view name) {
  std::string out;
  EncodeConfigName(out, name);
  return out;
}

struct ConfigWindowTest : ::testing::Test {
  void SetUp() override {
    vt::sim::addConfigFileMethods(sensor.server, sensor.model);
    ASSERT_TRUE(sensor.Start()) << sensor.error();
    Seed();
    MainPanels panels;
    auto manager = std::make_unique<CConfigManager>();
    panels.configDialogs = std::make_unique<CConfigDialogs>(*manager);
    this->manager = manager.get();
    panels.configManager = std::move(manager);
    window = std::make_unique<CVarnisDatamatrixDlg>(prompt, std::move(panels));
    window->setLockLibrary(MakeKeltrovLibrary());
    ASSERT_EQ(window->OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
    notify = std::make_unique<CSensorNotify>(*window);
    QObject::connect(notify.get(), &CSensorNotify::notified, [this](int id, int) { handled.push_back(id); });
    Utf8ToUtf16String(window->state().m_strConnectAddress, sensor.server.address());
    window->state().m_nConnectPort = sensor.server.port();
    window->state().m_bBusy = 1;
    window->PostSensorCommand(CMD_CONNECT);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_GET_CONFIG_LIST) >= 1; }, 20000))
        << ::testing::PrintToString(handled) << Messages().join("|").toStdString();
    ASSERT_TRUE(Idle());
    // The user opens groups 1 and 2; they stay open through every refill.
    Group(1)->setExpanded(true);
    Group(2)->setExpanded(true);
    prompt.clear();
  }
  void TearDown() override {
    notify.reset();
    window.reset();
  }

  // Slots in groups and without; slot 2 came plain from the sensor (its escaped form).
  void Seed() {
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

  int Count(int id) const { return static_cast<int>(std::count(handled.begin(), handled.end(), id)); }
  bool Idle() {
    return QTest::qWaitFor(
        [&] { return window->state().m_nOutstandingCommands == 0 && !window->state().m_bBusy; }, 20000);
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
  QStringList Messages() const {
    QStringList out;
    for (const auto& r : prompt.requests())
      if (r.kind == RecordingPrompt::Kind::Message && r.icon != QMessageBox::Question) out << r.text;
    return out;
  }

  LibCopy lib;
  SimulatedSensor sensor;
  RecordingPrompt prompt;
  CConfigManager* manager = nullptr;
  std::unique_ptr<CVarnisDatamatrixDlg> window;
  std::unique_ptr<CSensorNotify> notify;
  std::vector<int> handled;
};

TEST_F(ConfigWindowTest, OperationsThroughKeysMenuDragAndButtons) {
  EXPECT_TRUE(manager->tree()->isVisible() || !window->isVisible());
  ASSERT_TRUE(TreeMatchesSensor());
  EXPECT_EQ(Group(1)->text(0), "Ovens");
  QTemporaryDir files;
  const QString file = files.filePath("oven.vtc");
  struct Row {
    const char* what;
    std::function<void()> act;
    std::string table;
  };
  const std::vector<Row> rows = {
      {"cut and paste onto another group",
       [&] {
         Select(Config(5));
         Key(Qt::Key_X, Qt::ControlModifier);
         Select(Group(2));
         Key(Qt::Key_V, Qt::ControlModifier);
       },
       "0:Alpha:-1:0 2:Line_1:-1:0 4:Oven A:1:0 5:Oven B:0:0 9:Pack:1:0 "},
      {"copy and paste through the context menu and the command bar",
       [&] {
         Select(Config(6));
         QContextMenuEvent menu(QContextMenuEvent::Mouse, At(Config(6)), tree()->viewport()->mapToGlobal(At(Config(6))));
         QApplication::sendEvent(tree()->viewport(), &menu);
         QMenu* popup = window->popupOfText(200);
         EXPECT_TRUE(popup->isVisible());
         window->action(32850)->trigger();
         popup->close();
         EXPECT_TRUE(manager->clipboardIsCopy());
         Select(Root());
         AnswerNameDialog("Oven C", 12);
         Button(1059);
       },
       "0:Alpha:-1:0 2:Line_1:-1:0 4:Oven A:1:0 5:Oven B:0:0 9:Pack:1:0 11:Oven C:-1:0 "},
      {"Ctrl-drag copy onto a group",
       [&] {
         AnswerNameDialog("Line copy", 14);
         Drag(Config(3), At(Group(1)), true);
       },
       "0:Alpha:-1:0 2:Line_1:-1:0 4:Oven A:1:0 5:Oven B:0:0 9:Pack:1:0 11:Oven C:-1:0 13:Line copy:0:0 "},
      {"drag move of a plain-named configuration onto a grouped one: its group",
       [&] { Drag(Config(3), At(Config(10)), false); },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:0 9:Pack:1:0 11:Oven C:-1:0 13:Line copy:0:0 "},
      {"rename to a name and a free number",
       [&] {
         Select(Config(12));
         AnswerNameDialog("Oven D", 20);
         Button(1051);
       },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:0 9:Pack:1:0 13:Line copy:0:0 19:Oven D:-1:0 "},
      {"delete answered No changes nothing",
       [&] {
         Select(Config(20));
         prompt.queueAnswer(QMessageBox::No);
         Key(Qt::Key_Delete);
       },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:0 9:Pack:1:0 13:Line copy:0:0 19:Oven D:-1:0 "},
      {"delete answered Yes",
       [&] {
         Select(Config(20));
         prompt.queueAnswer(QMessageBox::Yes);
         Key(Qt::Key_Delete);
       },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:0 9:Pack:1:0 13:Line copy:0:0 "},
      {"activate a configuration",
       [&] {
         Select(Config(1));
         Button(1049);
       },
       "0:Alpha:-1:0:A 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:0 9:Pack:1:0 13:Line copy:0:0 "},
      {"activate a group",
       [&] {
         Select(Group(1));
         window->action(32782)->trigger();
       },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:0:A 9:Pack:1:0 13:Line copy:0:0 "},
      {"Group master", [&] { Select(Config(14)); Button(1060); },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:0:A 9:Pack:1:0 13:Line copy:0:2 "},
      {"Capture master", [&] { Select(Config(6)); Button(1057); },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:1:A 9:Pack:1:0 13:Line copy:0:2 "},
      {"Upload from device to a file",
       [&] {
         prompt.setFileAnswer(file);
         Select(Config(5));
         Button(1054);
       },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:1:A 9:Pack:1:0 13:Line copy:0:2 "},
      {"Download to device into a free slot",
       [&] {
         Select(Group(2));
         AnswerNameDialog("Loaded", 31);
         Button(1055);
       },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:1:A 9:Pack:1:0 13:Line copy:0:2 30:Loaded:1:0 "},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    row.act();
    ASSERT_TRUE(Idle());
    EXPECT_EQ(SlotTable(), row.table);
    EXPECT_TRUE(TreeMatchesSensor());
    EXPECT_TRUE(Group(1)->isExpanded() && Group(2)->isExpanded() && !Group(3)->isExpanded());
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
    prompt.clear();
  }
  EXPECT_TRUE(QFileInfo(file).isFile());
  // The loaded slot holds what was saved from its source.
  const vt::sim::SensorData d = sensor.model.snapshot();
  EXPECT_EQ(d.slots[30].data.parameters.configData.toXml(), d.slots[4].data.parameters.configData.toXml());
}

}  // namespace
}  // namespace vt::test

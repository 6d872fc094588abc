// Roads of the configuration manager that cross its features, in the shown
// main window against the simulated sensor: clicks at the controls' places,
// the tree's keys and drag; afterwards what the sensor holds and what the
// operator sees next (marks, selection, enabled commands, texts).
#include "config_window_fixture.h"

#include <QFile>
#include <QFileInfo>

#include "config/config_new_item.h"
#include "config/config_rename.h"

namespace vt::test {
namespace {

struct ConfigRoads : ConfigWindowTest {
  void SetUp() override {
    ConfigWindowTest::SetUp();
    window->show();
    manager->ShowTree(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  // A click at the button's place: the window has the button there.
  void ClickBar(int id) {
    QPushButton* b = manager->buttons()->button(id);
    ASSERT_TRUE(b);
    const QPoint centre = b->rect().center();
    ASSERT_EQ(window->childAt(b->mapTo(window.get(), centre)), b) << id;
    ASSERT_TRUE(b->isEnabled()) << id;
    QTest::mouseClick(b, Qt::LeftButton, {}, centre);
  }
  // The item chosen by a click at its place in the tree.
  void ClickItem(QTreeWidgetItem* item) {
    ASSERT_TRUE(item);
    tree()->scrollToItem(item);
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, At(item));
  }
  // Button and menu item of command i (0..12) as "button/menu": "1/1", "0/0".
  std::string Command(int i) {
    const bool button = manager->buttons()->button(kFirstConfigButton + i)->isEnabled();
    const bool menu = window->action(kConfigMenuIds[static_cast<std::size_t>(i)])->isEnabled();
    return std::string(button ? "1" : "0") + "/" + (menu ? "1" : "0");
  }
};

constexpr int kNew = 0, kActivate = 1, kEdit = 2, kDownload = 7, kInfo = 8, kPaste = 11;

// A paste of a copy leaves its mode behind; New afterwards still creates
// an empty configuration, with the copy still on the clipboard.
TEST_F(ConfigRoads, NewAfterAPasteCreatesAConfiguration) {
  ClickItem(Config(6));
  Key(Qt::Key_C, Qt::ControlModifier);
  ClickItem(Root());
  QString pasteTitle;
  prompt.setDialogHandler([&](QDialog& d) {
    pasteTitle = d.windowTitle();
    QTest::keyClick(d.findChild<QLineEdit*>(QStringLiteral("id1000")), Qt::Key_Escape);
    return d.result();
  });
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(pasteTitle, window->text(9503));
  ASSERT_TRUE(manager->clipboardIsCopy());

  QString title, name;
  AnswerNameDialog("Fresh", 8, &title, &name);
  ClickBar(1048);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_EDIT_CONFIG) == 1; }, 20000));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(title, window->text(9500));
  EXPECT_EQ(name, window->text(8004));
  EXPECT_EQ(Count(CMD_CREATE_CONFIG), 1);
  EXPECT_EQ(Count(CMD_COPY_CONFIG), 0);
  const vt::sim::SensorData d = sensor.model.snapshot();
  EXPECT_TRUE(d.slots[7].used);
  EXPECT_EQ(d.slots[7].name, Encoded(u"Fresh"));
  ASSERT_TRUE(d.editing.has_value());
  EXPECT_EQ(d.editing->slot, 7);
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
}

// Cancelling Download to device changes nothing: the active configuration
// keeps its mark and Activate stays off on it.
TEST_F(ConfigRoads, CancelledDownloadKeepsTheActiveMark) {
  ASSERT_EQ(sensor.model.activateConfig({0, Encoded(u"Alpha"), -1}), vt::sim::kSimOk);
  ReadListAgain();
  ASSERT_EQ(CConfigTreeView::IconOf(Config(1)), TreeIcon::kActiveConfig);
  const std::string table = SlotTable();
  for (QTreeWidgetItem* from : {Root(), Group(2)}) {
    ClickItem(from);
    prompt.setDialogHandler([](QDialog& d) {
      QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("id32863")), Qt::LeftButton);
      return d.result();
    });
    ClickBar(1055);
    ASSERT_TRUE(Idle());
    EXPECT_EQ(CConfigTreeView::IconOf(Config(1)), TreeIcon::kActiveConfig);
    ClickItem(Config(1));
    EXPECT_EQ(Command(kActivate), "0/0");
  }
  EXPECT_EQ(SlotTable(), table);
  EXPECT_EQ(Count(CMD_UPLOAD_CONFIG), 0);
  EXPECT_EQ(state().m_bDownloadToDevice, 0);
}

// With all 32 slots used a command refused for want of a slot is greyed on
// the bar and in the menu alike, also when the bar's button was clicked.
TEST_F(ConfigRoads, CommandsRefusedForWantOfASlotAreGreyInBarAndMenu) {
  FillAllSlots();
  struct Row {
    const char* what;
    std::function<void()> act;
    int command;
  };
  const Row rows[] = {
      {"New", [&] { ClickItem(Root()); ClickBar(1048); }, kNew},
      {"Download to device", [&] { ClickItem(Group(2)); ClickBar(1055); }, kDownload},
      {"Paste of a copy",
       [&] {
         ClickItem(Config(6));
         Key(Qt::Key_C, Qt::ControlModifier);
         ClickItem(Root());
         ClickBar(1059);
       },
       kPaste},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    prompt.clear();
    row.act();
    ASSERT_TRUE(Idle());
    EXPECT_EQ(Messages().join("|").toStdString(), window->text(6036).toStdString());
    EXPECT_EQ(Command(row.command), "0/0");
  }
  EXPECT_EQ(Count(CMD_CREATE_CONFIG) + Count(CMD_UPLOAD_CONFIG) + Count(CMD_COPY_CONFIG), 0);
}

// The language chosen in the menu names the command bar's buttons and the
// tree; and back.
TEST_F(ConfigRoads, LanguageSwitchRenamesTheCommandBarAndTheTree) {
  constexpr int kCaptions[kConfigCommands] = {7500, 7501, 7502, 7503, 7504, 7507, 7508,
                                              7509, 7510, 7513, 7505, 7506, 7512};
  ClickItem(Config(5));
  auto* languages = window->findChild<QMenu*>(QStringLiteral("languageMenu"));
  ASSERT_TRUE(languages);
  const auto choose = [&](int language) {
    QAction* entry = window->action(64000 + language);
    ASSERT_TRUE(entry);
    languages->popup(window->mapToGlobal(QPoint(40, 40)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(languages));
    QTest::mouseClick(languages, Qt::LeftButton, {}, languages->actionGeometry(entry).center());
    ASSERT_EQ(window->language().GetSelectedLanguage(), language);
  };
  const auto expectTexts = [&](const char* language) {
    for (int i = 0; i < kConfigCommands; ++i)
      EXPECT_EQ(manager->buttons()->button(kFirstConfigButton + i)->text(), window->text(kCaptions[i]))
          << language << " " << kCaptions[i];
    EXPECT_EQ(manager->buttons()->windowTitle(), window->text(1070)) << language;
    EXPECT_EQ(manager->tree()->windowTitle(), window->text(1073)) << language;
  };
  const QString englishNew = manager->buttons()->button(1048)->text();
  SaveScreenshot(*window, "config_manager_english");
  choose(7);
  EXPECT_EQ(manager->buttons()->button(1048)->text(), QStringLiteral("Neu"));
  EXPECT_EQ(manager->tree()->windowTitle(), QStringLiteral("Konfigurationen"));
  expectTexts("German");
  // The commands keep their state for the selection.
  EXPECT_EQ(Command(kInfo), "1/1");
  SaveScreenshot(*window, "config_manager_german");
  choose(9);
  EXPECT_EQ(manager->buttons()->button(1048)->text(), englishNew);
  expectTexts("English");
}

// Cut or Copy while a command is still out (the list read after the last
// change) waits for it and runs the trigger-window check: the clipboard
// knows where it may be pasted.
TEST_F(ConfigRoads, CutOrCopyWhileACommandIsOutChecksTheTriggerWindow) {
  UseTriggerWindow(0);
  ClickItem(Config(3));
  Post(CMD_GET_CONFIG_LIST);
  ASSERT_GT(state().m_nOutstandingCommands, 0);
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(state().m_nOutstandingCommands, 0);
  EXPECT_EQ(manager->mayPasteIntoGroup(), 1);
  ClickItem(Group(2));
  AnswerNameDialog("Line copy", 12);
  Key(Qt::Key_V, Qt::ControlModifier);
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
  EXPECT_EQ(SlotTable(), "0:Alpha:-1:0 2:Line_1:-1:0 4:Oven A:0:0 5:Oven B:0:0 9:Pack:1:0 11:Line copy:1:0 ");
  EXPECT_TRUE(TreeMatchesSensor());

  // One that uses the trigger window stays off the groups, and is shown cut.
  prompt.clear();
  ClickItem(Config(1));
  Post(CMD_GET_CONFIG_LIST);
  Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(manager->mayPasteIntoGroup(), 0);
  EXPECT_EQ(CConfigTreeView::IconOf(Config(1)), TreeIcon::kConfigCut);
  ClickItem(Group(2));
  Key(Qt::Key_V, Qt::ControlModifier);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Messages().join("|").toStdString(), window->text(5999).toStdString());
  EXPECT_EQ(SlotTable(), "0:Alpha:-1:0 2:Line_1:-1:0 4:Oven A:0:0 5:Oven B:0:0 9:Pack:1:0 11:Line copy:1:0 ");
}

// Ctrl+drag of a configuration that uses the trigger window onto the root
// copies it, as Copy and Paste onto the root do; a plain drag there is the
// move into its own group and refused.
TEST_F(ConfigRoads, CtrlDragCopiesATriggerWindowConfigurationToTheRoot) {
  UseTriggerWindow(0);
  AnswerNameDialog("Alpha copy", 12);
  Drag(Config(1), At(Root()), true);
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
  const std::string copied = "0:Alpha:-1:0 2:Line_1:-1:0 4:Oven A:0:0 5:Oven B:0:0 9:Pack:1:0 11:Alpha copy:-1:0 ";
  EXPECT_EQ(SlotTable(), copied);
  EXPECT_TRUE(TreeMatchesSensor());

  prompt.clear();
  Drag(Config(1), At(Root()), false);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Messages().join("|").toStdString(), window->text(6035).toStdString());
  EXPECT_EQ(SlotTable(), copied);
  EXPECT_FALSE(manager->clipboardFilled());
  EXPECT_EQ(UncutIcon(CConfigTreeView::IconOf(Config(1))), CConfigTreeView::IconOf(Config(1)));
}

// Upload from device: the save dialog completes "oven" to "oven.vtc" itself,
// so it asks before replacing that file; No leaves it and sends nothing.
TEST_F(ConfigRoads, UploadFromDeviceAsksBeforeReplacingTheFileWithItsExtension) {
  QTemporaryDir dir;
  const QString existing = QDir(dir.path()).filePath("oven.vtc");
  {
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("kept");
  }
  const auto contents = [&] {
    QFile f(existing);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  };
  prompt.setAskBeforeReplacing(true);
  prompt.setFileAnswer(QDir(dir.path()).filePath("oven"));
  ClickItem(Config(5));
  prompt.queueAnswer(QMessageBox::No);
  ClickBar(1054);
  ASSERT_TRUE(Idle());
  QStringList questions;
  for (const auto& r : prompt.requests())
    if (r.kind == RecordingPrompt::Kind::Message && r.icon == QMessageBox::Question) questions << r.text;
  EXPECT_EQ(questions, QStringList{"replace " + existing});
  EXPECT_EQ(Count(CMD_DOWNLOAD_CONFIG), 0);
  EXPECT_EQ(contents(), "kept");

  // Yes: the file with the extension takes the configuration.
  prompt.clear();
  prompt.queueAnswer(QMessageBox::Yes);
  ClickBar(1054);
  ASSERT_TRUE(WaitHandled(CMD_DOWNLOAD_CONFIG));
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(contents().startsWith("VTCFG1")) << contents().left(20).toStdString();
  EXPECT_FALSE(QFileInfo::exists(QDir(dir.path()).filePath("oven")));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
}

// With nothing selected (a drop of a configuration onto itself, a click on
// empty space) the commands are those of the root: Info and its kin off.
TEST_F(ConfigRoads, NothingSelectedLeavesInfoOff) {
  const QPoint below(20, tree()->viewport()->height() - 5);
  ASSERT_EQ(tree()->itemAt(below), nullptr);
  struct Row {
    const char* what;
    std::function<void()> act;
  };
  const Row rows[] = {
      {"a drop onto itself", [&] { Drag(Config(5), At(Config(5)), false); }},
      {"a click on empty space", [&] { QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, below); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ClickItem(Config(5));
    ASSERT_EQ(Command(kInfo), "1/1");
    row.act();
    ASSERT_EQ(manager->tree()->selectedItem(), nullptr);
    for (int i : {kEdit, kInfo}) EXPECT_EQ(Command(i), "0/0") << i;
    EXPECT_EQ(Command(kNew), "1/1");
  }
  SaveScreenshot(*window, "config_manager_nothing_selected");
}

// The Rename dialog's OK leaves the renamed item chosen, under its new
// number and name, with its commands.
TEST_F(ConfigRoads, RenameKeepsTheRenamedItemSelected) {
  struct Row {
    const char* what;
    int from;
    QString name;
    int to;
  };
  const Row rows[] = {{"a new name and number", 5, "Oven X", 20}, {"the name alone", 10, "Pack 2", 10}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ClickItem(Config(row.from));
    AnswerNameDialog(row.name, row.to);
    ClickBar(1051);
    ASSERT_TRUE(Idle());
    QTreeWidgetItem* renamed = Config(row.to);
    ASSERT_TRUE(renamed);
    EXPECT_EQ(renamed->text(0), QStringLiteral("(%1) %2").arg(row.to, 2, 10, QLatin1Char('0')).arg(row.name));
    EXPECT_EQ(manager->tree()->selectedItem(), renamed);
    EXPECT_EQ(Command(kInfo), "1/1");
    EXPECT_EQ(Command(kNew), "0/0");
  }
  EXPECT_TRUE(TreeMatchesSensor());
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
}

}  // namespace
}  // namespace vt::test

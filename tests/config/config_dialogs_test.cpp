// The configuration dialogs, the command states and the context menu in the
// main window against the simulated sensor.
#include "config_window_fixture.h"

#include <QFileInfo>

#include "config/config_new_item.h"
#include "config/config_rename.h"

namespace vt::test {
namespace {

// Runs `body` on each dialog of class D; any other dialog fails the test.
template <class D>
void OnDialog(RecordingPrompt& prompt, std::function<void(D&)> body) {
  prompt.setDialogHandler(DialogHandler<D>([body = std::move(body)](D& d) {
    // Focus moves (and the checks on leaving the name) need the dialog active.
    d.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&d, 5000));
    body(d);
    return d.result();
  }));
}

QLineEdit* NameEdit(ConfigNameDialog& d) { return d.nameEdit(); }
QComboBox* NumberCombo(ConfigNameDialog& d) { return d.numberCombo(); }

TEST_F(ConfigWindowTest, CommandStatesFollowTheSelection) {
  // New Activate Edit Rename Cut Delete Upload Download Info Capture Copy Paste Group
  struct Row {
    const char* what;
    std::function<QTreeWidgetItem*()> item;
    bool copied;
    const char* on;
  };
  for (const Row& row : std::vector<Row>{{"root", [&] { return Root(); }, false, "1000000100000"},
                                         {"root, a copy taken", [&] { return Root(); }, true, "1000000100010"},
                                         {"group with configurations", [&] { return Group(1); }, false, "1100000100000"},
                                         {"empty group", [&] { return Group(3); }, false, "1000000100000"},
                                         {"ungrouped", [&] { return Config(1); }, false, "0111111010100"},
                                         {"grouped", [&] { return Config(5); }, true, "0011111011101"}}) {
    SCOPED_TRACE(row.what);
    if (row.copied) {
      Select(Config(6));
      Key(Qt::Key_C, Qt::ControlModifier);
    }
    Select(row.item());
    std::string buttons, actions;
    for (int i = 0; i < kConfigCommands; ++i) {
      buttons += manager->buttons()->button(kFirstConfigButton + i)->isEnabled() ? '1' : '0';
      actions += window->action(kConfigMenuIds[static_cast<std::size_t>(i)])->isEnabled() ? '1' : '0';
    }
    EXPECT_EQ(buttons, row.on);
    EXPECT_EQ(actions, row.on);
    manager->ClearClipboard();
  }
  SaveScreenshot(*window, "config_tree_and_bar");
}

TEST_F(ConfigWindowTest, NewDialogTitleAndNameByModeThenCreateAndEdit) {
  struct Row {
    const char* what;
    std::function<void()> open;
    int title;
    QString name;
  };
  const std::vector<Row> rows = {
      {"new", [&] { Select(Group(2)); Button(1048); }, 9500, window->text(8004)},
      {"paste of a copy",
       [&] {
         Select(Config(6));
         Key(Qt::Key_C, Qt::ControlModifier);
         Select(Root());
         Key(Qt::Key_V, Qt::ControlModifier);
       },
       9503, "Oven B"},
      {"download to device", [&] { Select(Group(2)); Button(1055); }, 9502, window->text(8004)}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    QString title, name;
    int shown = 0;
    OnDialog<CConfigNewItem>(prompt, [&](CConfigNewItem& d) {
      ++shown;
      title = d.windowTitle();
      name = NameEdit(d)->text();
      SaveScreenshot(d, "config_new_item");
      QTest::keyClick(NameEdit(d), Qt::Key_Escape);
    });
    row.open();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(title, window->text(row.title));
    EXPECT_EQ(name, row.name);
    manager->ClearClipboard();
  }
  const std::string before = SlotTable();
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();

  // New: the encoded name, the chosen number and the selected group; then the slot is held in edit.
  OnDialog<CConfigNewItem>(prompt, [&](CConfigNewItem& d) {
    NameEdit(d)->setText(QStringLiteral("Mix_1 =A"));
    NumberCombo(d)->setCurrentIndex(NumberCombo(d)->findText(QStringLiteral("08")));
    QTest::mouseClick(d.okButton(), Qt::LeftButton);
  });
  handled.clear();
  Select(Group(2));
  Button(1048);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_EDIT_CONFIG) == 1; }, 20000)) << ::testing::PrintToString(handled);
  ASSERT_TRUE(Idle());
  const vt::sim::SensorData d = sensor.model.snapshot();
  EXPECT_TRUE(d.slots[7].used);
  EXPECT_EQ(d.slots[7].name, Encoded(u"Mix_1 =A"));
  EXPECT_EQ(d.slots[7].group, 1);
  ASSERT_TRUE(d.editing.has_value());
  EXPECT_EQ(d.editing->slot, 7);
  EXPECT_EQ(SlotTable(), "0:Alpha:-1:0 2:Line_1:-1:0 4:Oven A:0:0 5:Oven B:0:0 7:Mix_1 =A:1:0 9:Pack:1:0 ");
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
}

TEST_F(ConfigWindowTest, NameChecksOfTheNewAndRenameDialogs) {
  struct Check {
    QString name;
    std::vector<int> messages;
  };
  // Types each name and presses Enter once: one message, the dialog stays.
  const auto runChecks = [&](ConfigNameDialog& d, const std::vector<Check>& checks) {
    for (const Check& c : checks) {
      SCOPED_TRACE(c.name.toStdString());
      prompt.clear();
      NameEdit(d)->setFocus();
      NameEdit(d)->setText(c.name);
      QTest::keyClick(NameEdit(d), Qt::Key_Return);
      EXPECT_EQ(Messages().join("|").toStdString(), Texts(c.messages).join("|").toStdString());
      EXPECT_TRUE(d.isVisible());
      EXPECT_EQ(d.result(), QDialog::Rejected);
      // The message quiets the check when the focus leaves the name.
      prompt.clear();
      NumberCombo(d)->setFocus();
      EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
    }
  };
  // Rename lists the current number with the free ones; its own order of checks.
  bool renameRan = false;
  OnDialog<CConfigRename>(prompt, [&](CConfigRename& d) {
    renameRan = true;
    QStringList numbers;
    for (int i = 0; i < NumberCombo(d)->count(); ++i) numbers << NumberCombo(d)->itemText(i);
    QStringList want = {"02", "04", "05", "07", "08", "09"};
    for (int n = 11; n <= 32; ++n) want << QString::number(n);
    EXPECT_EQ(numbers, want);
    EXPECT_EQ(NumberCombo(d)->currentText(), "05");
    EXPECT_EQ(NameEdit(d)->text(), "Oven A");
    SaveScreenshot(d, "config_rename");
    runChecks(d, {{" Line", {6038}}, {"", {6034}}, {"Li\tne", {46524}}, {" Li\x01", {6038}}});
    QTest::keyClick(NameEdit(d), Qt::Key_Escape);
  });
  prompt.clear();
  Select(Config(5));
  Button(1051);
  ASSERT_TRUE(renameRan);
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
  EXPECT_TRUE(TreeMatchesSensor());

  const QString full(32, QLatin1Char('N'));
  bool newRan = false;
  OnDialog<CConfigNewItem>(prompt, [&](CConfigNewItem& d) {
    newRan = true;
    EXPECT_EQ(NameEdit(d)->maxLength(), 32);
    // The control check runs before the trim: a tab at the edge is refused as such.
    runChecks(d, {{"", {6034}}, {"Li\tne", {46524}}, {"\tLine", {46524}}, {" Line", {6038}}, {"Line ", {6038}}});
    // With no message shown, leaving the name checks it.
    prompt.clear();
    NameEdit(d)->setFocus();
    NameEdit(d)->setText(QStringLiteral(" Line"));
    QTest::keyClick(NameEdit(d), Qt::Key_Tab);
    EXPECT_EQ(Messages().join("|").toStdString(), window->text(6038).toStdString());
    prompt.clear();
    NameEdit(d)->setText(full);
    NumberCombo(d)->setCurrentIndex(NumberCombo(d)->findText(QStringLiteral("32")));
    NameEdit(d)->setFocus();
    QTest::keyClick(NameEdit(d), Qt::Key_Return);
    EXPECT_EQ(d.result(), QDialog::Accepted);
  });
  Select(Root());
  Button(1048);
  ASSERT_TRUE(newRan);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_EDIT_CONFIG) == 1; }, 20000));
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(sensor.model.snapshot().slots[31].used);
  EXPECT_EQ(sensor.model.snapshot().slots[31].name, Encoded(full.toStdU16String()));
}

TEST_F(ConfigWindowTest, DownloadToDeviceAsksAgainForAMissingFile) {
  QTemporaryDir dir;
  const QString folder = QDir(dir.path()).filePath("in");
  QDir().mkpath(folder);
  const QString missing = QDir(dir.path()).filePath("gone/none.vtc");
  ASSERT_TRUE(window->settings().Create(QStringLiteral("\\Common")));
  ASSERT_TRUE(window->settings().SetString(QStringLiteral("DownloadToDevice"), folder));
  prompt.setFileAnswer(missing);
  // The second file dialog is cancelled.
  prompt.setMessageHook([&](const RecordingPrompt::Request&) { prompt.setFileAnswer({}); });
  OnDialog<CConfigNewItem>(prompt, [&](CConfigNewItem& d) {
    NameEdit(d)->setText(QStringLiteral("Loaded"));
    QTest::mouseClick(d.okButton(), Qt::LeftButton);
  });
  const std::string before = SlotTable();
  Select(Root());
  Button(1055);
  ASSERT_TRUE(Idle());
  prompt.setMessageHook({});
  QStringList seen;
  for (const auto& r : prompt.requests()) {
    if (r.kind == RecordingPrompt::Kind::OpenFile) seen << "open " + r.text;
    if (r.kind == RecordingPrompt::Kind::Message) seen << r.text;
  }
  EXPECT_EQ(seen, QStringList({"open " + folder, window->text(6052), "open " + QFileInfo(missing).absolutePath()}));
  EXPECT_EQ(SlotTable(), before);
  EXPECT_EQ(window->state().m_bDownloadToDevice, 0);
}

TEST_F(ConfigWindowTest, DeleteKeyWaitsForThePendingDeletionAndKeyboardMenu) {
  Select(Config(6));
  prompt.queueAnswer(QMessageBox::Yes);
  Key(Qt::Key_Delete);
  EXPECT_TRUE(manager->deletePending());
  Key(Qt::Key_Delete);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(prompt.requests().size(), 1);
  EXPECT_EQ(SlotTable(), "0:Alpha:-1:0 2:Line_1:-1:0 4:Oven A:0:0 9:Pack:1:0 ");
  EXPECT_FALSE(manager->deletePending());
  // Afterwards the key asks again.
  prompt.clear();
  Select(Config(5));
  prompt.queueAnswer(QMessageBox::No);
  Key(Qt::Key_Delete);
  EXPECT_EQ(prompt.requests().size(), 1);

  // The keyboard's context menu opens at (5, 5) of the tree.
  QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(0, 0), tree()->mapToGlobal(QPoint(0, 0)));
  QApplication::sendEvent(tree(), &menu);
  QMenu* popup = window->popupOfText(200);
  EXPECT_TRUE(popup->isVisible());
  EXPECT_EQ(manager->tree()->lastMenuPosition(), manager->tree()->mapToGlobal(QPoint(5, 5)));
  popup->close();
}

TEST_F(ConfigWindowTest, InformationDialogShowsTheConfiguration) {
  const std::string longStart = "A start string far too long for its line in the information dialog";
  sensor.model.access([&](vt::sim::SensorData& d) {
    auto& data = d.slots[4].data.parameters.configData;
    data[18] = 2;  // an even output mode
    data[24] = longStart;
    data[27] = std::string("M");
    data[33] = 2;  // optimised recognition
    return 0;
  });
  bool ran = false;
  OnDialog<CConfigInfoDlg>(prompt, [&](CConfigInfoDlg& info) {
    ran = true;
    SaveScreenshot(info, "config_info");
    // The recognition as the code definition page names it.
    EXPECT_FALSE(info.control(1085)->text().isEmpty());
    EXPECT_TRUE(window->text(7403).startsWith(info.control(1085)->text())) << info.control(1085)->text().toStdString();
    EXPECT_EQ(info.control(1078)->text(), "Oven A");
    EXPECT_EQ(info.control(1079)->text(), "5");
    EXPECT_EQ(info.control(1080)->text(), "Ovens");
    EXPECT_EQ(info.control(1088)->text(), window->text(8051));
    for (int id : {1073, 1092, 1074, 1093}) EXPECT_FALSE(info.control(id)->isEnabled()) << id;
    EXPECT_TRUE(info.control(1089)->isEnabled());
    // Long texts end in an ellipsis and fit their line; the whole text is kept.
    const QString start = info.control(1089)->text();
    EXPECT_TRUE(start.endsWith(QChar(0x2026))) << start.toStdString();
    EXPECT_TRUE(QString::fromStdString(longStart).startsWith(start.chopped(1)));
    EXPECT_LE(info.control(1089)->fontMetrics().horizontalAdvance(start), info.control(1089)->width());
    EXPECT_EQ(info.fullText(1089), QString::fromStdString(longStart));
    QTest::mouseClick(info.findChild<QPushButton*>(QStringLiteral("id1")), Qt::LeftButton);
  });
  Select(Config(5));
  Button(1056);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ran; }, 20000));
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
}

}  // namespace
}  // namespace vt::test

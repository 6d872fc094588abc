// The configuration manager in the main window against the simulated
// sensor: tree keys, context menu, drag and the command bar, each row
// checked against the sensor's slot table and the tree.
#include "config_window_fixture.h"

#include <QFileInfo>

namespace vt::test {
namespace {

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
      {"the copy pastes again under a new name",
       [&] {
         Select(Group(2));
         AnswerNameDialog("Oven E", 16);
         Key(Qt::Key_V, Qt::ControlModifier);
       },
       "0:Alpha:-1:0 2:Line_1:-1:0 4:Oven A:1:0 5:Oven B:0:0 9:Pack:1:0 11:Oven C:-1:0 15:Oven E:1:0 "},
      {"Ctrl-drag copy onto a group",
       [&] {
         AnswerNameDialog("Line copy", 14);
         Drag(Config(3), At(Group(1)), true);
       },
       "0:Alpha:-1:0 2:Line_1:-1:0 4:Oven A:1:0 5:Oven B:0:0 9:Pack:1:0 11:Oven C:-1:0 13:Line copy:0:0 15:Oven E:1:0 "},
      {"drag move of a plain-named configuration onto a grouped one: its group",
       [&] { Drag(Config(3), At(Config(10)), false); },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:0 9:Pack:1:0 11:Oven C:-1:0 13:Line copy:0:0 15:Oven E:1:0 "},
      {"rename to a name and a free number",
       [&] {
         Select(Config(12));
         AnswerNameDialog("Oven D", 20);
         Button(1051);
       },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:0 9:Pack:1:0 13:Line copy:0:0 15:Oven E:1:0 19:Oven D:-1:0 "},
      {"delete answered No changes nothing",
       [&] {
         Select(Config(20));
         prompt.queueAnswer(QMessageBox::No);
         Key(Qt::Key_Delete);
       },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:0 9:Pack:1:0 13:Line copy:0:0 15:Oven E:1:0 19:Oven D:-1:0 "},
      {"delete answered Yes",
       [&] {
         Select(Config(20));
         prompt.queueAnswer(QMessageBox::Yes);
         Key(Qt::Key_Delete);
       },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:0 9:Pack:1:0 13:Line copy:0:0 15:Oven E:1:0 "},
      {"activate a configuration",
       [&] {
         Select(Config(1));
         Button(1049);
       },
       "0:Alpha:-1:0:A 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:0 9:Pack:1:0 13:Line copy:0:0 15:Oven E:1:0 "},
      {"activate a group",
       [&] {
         Select(Group(1));
         window->action(32782)->trigger();
       },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:0:A 9:Pack:1:0 13:Line copy:0:0 15:Oven E:1:0 "},
      {"Group master", [&] { Select(Config(14)); Button(1060); },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:0:A 9:Pack:1:0 13:Line copy:0:2 15:Oven E:1:0 "},
      {"Capture master", [&] { Select(Config(6)); Button(1057); },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:1:A 9:Pack:1:0 13:Line copy:0:2 15:Oven E:1:0 "},
      {"Upload from device to a file",
       [&] {
         prompt.setFileAnswer(file);
         Select(Config(5));
         Button(1054);
       },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:1:A 9:Pack:1:0 13:Line copy:0:2 15:Oven E:1:0 "},
      {"Download to device into a free slot",
       [&] {
         Select(Group(2));
         AnswerNameDialog("Loaded", 31);
         Button(1055);
       },
       "0:Alpha:-1:0 2:Line_1:1:0 4:Oven A:1:0 5:Oven B:0:1:A 9:Pack:1:0 13:Line copy:0:2 15:Oven E:1:0 30:Loaded:1:0 "},
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
  SaveScreenshot(*manager->tree(), "config_tree_masters");
  EXPECT_TRUE(QFileInfo(file).isFile());
  // The loaded slot holds what was saved from its source.
  const vt::sim::SensorData d = sensor.model.snapshot();
  EXPECT_EQ(d.slots[30].data.parameters.configData.toXml(), d.slots[4].data.parameters.configData.toXml());
}

}  // namespace
}  // namespace vt::test

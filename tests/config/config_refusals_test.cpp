// What the configuration manager refuses, through keys and drag against the
// simulated sensor: the message shown, what stays on the clipboard, and a
// sensor and tree left as they were.
#include "config_window_fixture.h"

namespace vt::test {
namespace {

TEST_F(ConfigWindowTest, RefusalsLeaveTheSensorAsItWas) {
  UseTriggerWindow(0);
  const auto cutAndPaste = [&](int number, QTreeWidgetItem* target, int key) {
    Select(Config(number));
    Key(key, Qt::ControlModifier);
    Select(target);
    Key(Qt::Key_V, Qt::ControlModifier);
  };
  struct Row {
    const char* what;
    std::function<void()> act;
    std::vector<int> messages;
    const char* clip;  // "", "cut", "copy"; null: not checked
    int cutMarked = 0;  // the configuration shown cut afterwards
  };
  const std::vector<Row> withFreeSlots = {
      {"a cut pasted onto its own group: dropped", [&] { cutAndPaste(5, Group(1), Qt::Key_X); }, {6035}, ""},
      {"an ungrouped cut onto no group: dropped", [&] { cutAndPaste(3, Root(), Qt::Key_X); }, {6035}, ""},
      {"an ungrouped trigger-window cut pasted onto a group",
       [&] { cutAndPaste(1, Group(2), Qt::Key_X); }, {5999}, ""},
      {"an ungrouped trigger-window copy pasted onto a group: kept",
       [&] { cutAndPaste(1, Group(2), Qt::Key_C); }, {5999}, "copy"},
      {"an ungrouped trigger-window configuration dragged onto a grouped one",
       [&] { Drag(Config(1), At(Config(10)), false); }, {5999}, ""},
      {"a configuration dropped on itself", [&] { Drag(Config(5), At(Config(5)), false); }, {}, ""},
      {"dragging a group", [&] { Drag(Group(1), At(Root()), false); }, {6033}, ""},
      {"Esc keeps a copy",
       [&] {
         Select(Config(6));
         Key(Qt::Key_C, Qt::ControlModifier);
         Key(Qt::Key_Escape);
       },
       {}, "copy"},
      {"Esc drops a cut",
       [&] {
         Select(Config(6));
         Key(Qt::Key_X, Qt::ControlModifier);
         Key(Qt::Key_Escape);
       },
       {}, ""},
  };
  const std::vector<Row> allUsed = {
      {"a cut pasted onto its own group: kept", [&] { cutAndPaste(5, Group(1), Qt::Key_X); }, {6035}, "cut", 5},
      {"a copy pasted", [&] { cutAndPaste(6, Root(), Qt::Key_C); }, {6036}, ""},
      {"a Ctrl-drag copy", [&] { Drag(Config(6), At(Root()), true); }, {6036}, nullptr},
  };
  const auto run = [&](const std::vector<Row>& rows) {
    const std::string table = SlotTable();
    for (const Row& row : rows) {
      SCOPED_TRACE(row.what);
      prompt.clear();
      row.act();
      ASSERT_TRUE(Idle());
      EXPECT_EQ(Messages().join("|").toStdString(), Texts(row.messages).join("|").toStdString());
      if (row.clip) {
        EXPECT_EQ(!manager->clipboardFilled() ? "" : manager->clipboardIsCopy() ? "copy" : "cut", std::string(row.clip));
      }
      if (row.cutMarked) {
        const int icon = CConfigTreeView::IconOf(Config(row.cutMarked));
        EXPECT_NE(UncutIcon(icon), icon);
        Key(Qt::Key_Escape);
      }
      manager->ClearClipboard();
      EXPECT_EQ(SlotTable(), table);
      EXPECT_TRUE(TreeMatchesSensor());
      EXPECT_FALSE(manager->tree()->dragging());
    }
  };
  run(withFreeSlots);
  FillAllSlots();
  run(allUsed);
}

}  // namespace
}  // namespace vt::test

// The message log's list: line colours on screen and in the lines' data,
// the right-click select-all and its undo, line height.
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "controls/color_list_box.h"
#include "controls/color_list_box_log.h"
#include "window/colours.h"
#include "gui_test_env.h"

namespace {

constexpr std::uint32_t kRed = 0x0000CC;    // COLORREF
constexpr std::uint32_t kGreen = 0x00A000;
constexpr std::uint32_t kBlue = 0xCC0000;

struct Log {
  CColorListBox list;
  Log() {
    list.resize(300, 200);
    list.show();
  }
  QRect lineRect(int row) const { return list.visualItemRect(list.item(row)); }
  bool drawnIn(int row, const QColor& colour) {
    return hasColour(list.viewport()->grab().toImage(), lineRect(row), colour);
  }
  void rightClick() {
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, QPoint(10, 5));
  }
  QColor windowText() const { return list.palette().color(QPalette::Active, QPalette::WindowText); }
};

TEST(ColorListBox, EachLineIsDrawnInItsColourWithoutHighlight) {
  Log log;
  log.list.AddColorString(QStringLiteral("Reading passed"), kGreen);
  log.list.AddColorString(QStringLiteral("Reading failed"), kRed);
  log.list.AddColorString(QStringLiteral("Plain line"), 0);
  EXPECT_TRUE(log.drawnIn(0, FromColorRef(kGreen)));
  EXPECT_TRUE(log.drawnIn(1, FromColorRef(kRed)));
  EXPECT_FALSE(log.drawnIn(1, FromColorRef(kGreen)));
  EXPECT_TRUE(log.drawnIn(2, log.windowText()));
  // A left click selects the line without painting a highlight behind it.
  QTest::mouseClick(log.list.viewport(), Qt::LeftButton, {}, log.lineRect(1).center());
  ASSERT_TRUE(log.list.item(1)->isSelected());
  EXPECT_FALSE(log.drawnIn(1, log.list.palette().color(QPalette::Highlight)));
  EXPECT_TRUE(log.drawnIn(1, FromColorRef(kRed)));
}

TEST(ColorListBox, TwoRightClicksRestoreTheColoursAndNewLinesKeepTheirs) {
  Log log;
  log.list.AddColorString(QStringLiteral("first"), kRed);
  log.list.AddColorString(QStringLiteral("second"), kBlue);
  log.rightClick();
  EXPECT_EQ(log.list.selectedItems().size(), 2);
  EXPECT_TRUE(log.drawnIn(0, log.windowText()));
  EXPECT_FALSE(log.drawnIn(0, FromColorRef(kRed)));
  // The colours stay in the lines while they are shown muted.
  EXPECT_EQ(log.list.ItemColor(0), kRed);
  EXPECT_EQ(log.list.ItemColor(1), kBlue);

  log.list.AddColorString(QStringLiteral("added meanwhile"), kGreen);
  EXPECT_TRUE(log.drawnIn(2, FromColorRef(kGreen)));

  log.rightClick();
  EXPECT_TRUE(log.list.selectedItems().isEmpty());
  EXPECT_TRUE(log.drawnIn(0, FromColorRef(kRed)));
  EXPECT_TRUE(log.drawnIn(1, FromColorRef(kBlue)));
  EXPECT_TRUE(log.drawnIn(2, FromColorRef(kGreen)));
}

TEST(ColorListBox, RightClickOnAnEmptyListDoesNothing) {
  Log log;
  log.rightClick();
  EXPECT_EQ(log.list.mutedLineCount(), 0);
  log.list.AddColorString(QStringLiteral("line"), kRed);
  log.list.ClearSelection();  // nothing selected: nothing happens
  EXPECT_EQ(log.list.mutedLineCount(), 0);
  log.rightClick();
  log.list.ClearItems();
  EXPECT_EQ(log.list.count(), 0);
  EXPECT_EQ(log.list.mutedLineCount(), 0);
  log.list.AddColorString(QStringLiteral("after clearing"), kBlue);
  EXPECT_TRUE(log.drawnIn(0, FromColorRef(kBlue)));
}

TEST(ColorListBox, ClearSelectionActsAsTheSecondRightClick) {
  Log log;
  log.list.AddColorString(QStringLiteral("line"), kRed);
  log.rightClick();
  log.list.ClearSelection();
  EXPECT_TRUE(log.list.selectedItems().isEmpty());
  EXPECT_TRUE(log.drawnIn(0, FromColorRef(kRed)));
}

TEST(ColorListBox, SetItemColorRecolours) {
  Log log;
  log.list.AddColorString(QStringLiteral("line"), kRed);
  log.list.SetItemColor(0, kBlue);
  log.list.SetItemColor(5, kGreen);  // no such line
  EXPECT_EQ(log.list.ItemColor(0), kBlue);
  EXPECT_EQ(log.list.ItemColor(5), 0u);
  EXPECT_TRUE(log.drawnIn(0, FromColorRef(kBlue)));
}

TEST(ColorListBox, ColourZeroIsWindowTextOrGreyWhenDisabled) {
  Log log;
  log.list.AddColorString(QStringLiteral("neutral"), 0);
  log.list.setEnabled(false);
  const QColor grey = log.list.palette().color(QPalette::Disabled, QPalette::WindowText);
  ASSERT_NE(grey, log.windowText());
  EXPECT_TRUE(log.drawnIn(0, grey));
}

TEST(ColorListBox, LineHeightIsTheFontsLineHeight) {
  Log log;
  log.list.AddColorString(QStringLiteral("Ag"), kRed);
  log.list.AddColorString(QStringLiteral("Ag"), kRed);
  const int lineHeight = QFontMetrics(log.list.font()).height();
  EXPECT_EQ(log.lineRect(0).height(), lineHeight);
  EXPECT_EQ(log.lineRect(1).top(), log.lineRect(0).top() + lineHeight);
  EXPECT_LE(lineHeight, 13);
}

}  // namespace

namespace {

TEST(ColorListBoxLog, ServesTheMainWindowsMessageList) {
  ColorListBoxLog log;
  EXPECT_EQ(log.widget()->objectName(), QStringLiteral("id1001"));
  EXPECT_EQ(log.AddColorString(QStringLiteral("first"), kRed), 0);
  EXPECT_EQ(log.AddColorString(QStringLiteral("second"), kBlue), 1);
  EXPECT_EQ(log.count(), 2);
  EXPECT_EQ(log.itemText(1), QStringLiteral("second"));
  EXPECT_EQ(log.itemColour(0), kRed);
  EXPECT_EQ(log.itemText(5), QString());
  EXPECT_GT(log.textWidth(QStringLiteral("second")), log.textWidth(QStringLiteral("s")));
  log.list().ToggleSelectAll();
  EXPECT_EQ(log.itemColour(1), kBlue) << "selection keeps the colours";
  log.ClearItems();
  EXPECT_EQ(log.count(), 0);
}

}  // namespace

namespace {

std::vector<std::pair<QString, std::uint32_t>> Lines(const MessageListService& log) {
  std::vector<std::pair<QString, std::uint32_t>> lines;
  for (int i = 0; i < log.count(); ++i) lines.emplace_back(log.itemText(i), log.itemColour(i));
  return lines;
}

// A reading's lines, emptied and written again: the list ends as the clear
// and the adds leave it, and only a line that differs is touched.
TEST(ColorListBoxLog, ChangesTogetherTouchOnlyTheLinesThatDiffer) {
  ColorListBoxLog log;
  log.list().resize(300, 200);
  log.list().show();
  for (const char* text : {"header", "01: ABC [12 ms]", "total"}) log.AddColorString(text, kGreen);
  log.list().ToggleSelectAll();  // lines muted by a right click
  ASSERT_EQ(log.list().mutedLineCount(), 3);
  QSignalSpy changed(log.list().model(), &QAbstractItemModel::dataChanged);
  QSignalSpy inserted(log.list().model(), &QAbstractItemModel::rowsInserted);
  QSignalSpy removed(log.list().model(), &QAbstractItemModel::rowsRemoved);

  log.BeginChanges();
  log.ClearItems();
  EXPECT_EQ(log.count(), 0);
  log.AddColorString("header", kGreen);
  EXPECT_EQ(log.AddColorString("01: ABC [13 ms]", kGreen), 1);
  log.AddColorString("total", kRed);
  const std::vector<std::pair<QString, std::uint32_t>> wanted{
      {"header", kGreen}, {"01: ABC [13 ms]", kGreen}, {"total", kRed}};
  EXPECT_EQ(Lines(log), wanted) << "read at once";
  EXPECT_EQ(log.list().item(1)->text(), "01: ABC [12 ms]") << "shown at the end";
  log.EndChanges();

  EXPECT_EQ(Lines(log), wanted);
  EXPECT_EQ(changed.size(), 2);  // the text of line 1, the colour of line 2
  EXPECT_TRUE(inserted.isEmpty());
  EXPECT_TRUE(removed.isEmpty());
  EXPECT_TRUE(log.list().selectedItems().isEmpty()) << "emptied: no selection";
  EXPECT_EQ(log.list().mutedLineCount(), 0);
  EXPECT_EQ(log.list().currentRow(), -1);
}

TEST(ColorListBoxLog, ChangesTogetherShortenLengthenAppendAndNest) {
  ColorListBoxLog log;
  for (const char* text : {"a", "b", "c"}) log.AddColorString(text, kBlue);
  log.BeginChanges();
  log.ClearItems();
  log.AddColorString("a", kBlue);
  log.EndChanges();
  EXPECT_EQ(Lines(log), (std::vector<std::pair<QString, std::uint32_t>>{{"a", kBlue}}));
  EXPECT_EQ(log.list().count(), 1);

  log.BeginChanges();
  log.BeginChanges();
  EXPECT_EQ(log.AddColorString("b", kRed), 1) << "appended to the lines kept";
  EXPECT_EQ(log.itemText(0), "a");
  log.EndChanges();
  EXPECT_EQ(log.list().count(), 1) << "the outer batch still open";
  log.ClearItems();
  for (const char* text : {"x", "y", "z"}) log.AddColorString(text, kGreen);
  log.EndChanges();
  EXPECT_EQ(Lines(log),
            (std::vector<std::pair<QString, std::uint32_t>>{{"x", kGreen}, {"y", kGreen}, {"z", kGreen}}));
  EXPECT_EQ(log.list().count(), 3);

  log.BeginChanges();
  log.AddColorString("w", kRed);
  log.EndChanges();
  EXPECT_EQ(log.list().count(), 4);
  EXPECT_EQ(log.list().item(3)->text(), "w");
  log.EndChanges();  // unmatched: nothing happens
  EXPECT_EQ(log.count(), 4);
}

}  // namespace

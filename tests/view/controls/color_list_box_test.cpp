// The message log's list: line colours on screen and in the lines' data,
// the right-click select-all and its undo, line height.
#include <QTest>
#include <gtest/gtest.h>

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

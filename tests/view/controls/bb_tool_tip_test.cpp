// The balloon tooltip: where the box goes and how big it is, what it paints,
// and that it never takes the owner's mouse.
#include <QPainter>
#include <gtest/gtest.h>

#include "controls/bb_tool_tip.h"
#include "window/colours.h"
#include "gui_test_env.h"

namespace {

constexpr int kPicture = 1074;
constexpr std::uint32_t kFill = 0xDCFFFF;

class Owner : public QWidget {
public:
  Owner() {
    resize(640, 480);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
  }
};

QStringList linesOf(int count, int length) {
  QStringList lines;
  for (int i = 0; i < count; ++i) lines << QString(length, QLatin1Char('8'));
  return lines;
}

TEST(BBToolTip, PlacementTable) {
  struct Case {
    const char* what;
    int lines, length;
    QPoint point;
    QRect box;
    int lineHeight;
  };
  // 3 lines of 10: 13 x 3 + 12 = 51 high, 10 + 75 = 85 wide.
  const Case cases[] = {
      {"normal", 3, 10, {100, 100}, {100, 100, 85, 51}, 14},
      {"at the right edge: ends at the pointer", 3, 10, {600, 100}, {515, 100, 85, 51}, 14},
      {"near the bottom: ends at the owner's bottom", 3, 10, {100, 450}, {100, 428, 85, 51}, 14},
      // 40 lines are 532 high: 12-px lines, 11 apart: 452 high, 7 x 10 + 10 wide.
      {"too tall", 40, 10, {100, 300}, {100, 27, 80, 452}, 12},
      {"normal again", 3, 10, {100, 100}, {100, 100, 85, 51}, 14},
      {"wider than the room on both sides", 3, 90, {300, 100}, {300, 100, 685, 51}, 14},
  };
  Owner owner;
  CBBToolTip tip(&owner);
  for (const Case& c : cases) {
    tip.AddTool(kPicture, linesOf(c.lines, c.length), kFill, 0);
    tip.ShowTool(kPicture, c.point);
    EXPECT_EQ(tip.geometry(), c.box) << c.what;
    EXPECT_EQ(tip.lineHeight(), c.lineHeight) << c.what;
    EXPECT_EQ(tip.currentId(), kPicture);
    EXPECT_FALSE(tip.isHidden());
  }
}

// The fill, the text and, in a shrunk box, the last line inside the box.
TEST(BBToolTip, PaintsFilledBoxWithEveryLineInside) {
  Owner owner;
  owner.show();
  CBBToolTip tip(&owner, installedTable("VarnisLang09"));
  tip.AddTool(kPicture, {QStringLiteral("01: ECC200"), QStringLiteral("Grade A")}, kFill, 0);
  tip.ShowTool(kPicture, {50, 60});
  QImage image = owner.grab().toImage();
  const QRect box = tip.geometry();
  EXPECT_EQ(QColor(image.pixel(box.right() - 4, box.bottom() - 4)), FromColorRef(kFill));
  EXPECT_TRUE(hasColour(image, box.adjusted(8, 5, 0, -(box.height() - 18)), Qt::black))
      << "first line";
  EXPECT_TRUE(hasColour(image, QRect(box.left() + 8, box.top() + 18, 60, 13), Qt::black))
      << "second line, 13 px below the first";

  tip.AddTool(kPicture, linesOf(40, 4), kFill, 0);
  tip.ShowTool(kPicture, {200, 200});
  image = owner.grab().toImage();
  const QRect shrunk = tip.geometry();
  ASSERT_EQ(tip.lineHeight(), 12);
  const int lastLineTop = shrunk.top() + 5 + 39 * 11;
  EXPECT_TRUE(hasColour(image, QRect(shrunk.left() + 8, lastLineTop, 30, 11), Qt::black));
  EXPECT_LE(lastLineTop + 11, shrunk.bottom());
}

TEST(BBToolTip, HideTipRemovesTheBoxOnce) {
  Owner owner;
  owner.show();
  CBBToolTip tip(&owner);
  tip.HideTip(kPicture, {10, 10});  // nothing shown: nothing happens
  EXPECT_FALSE(tip.isVisible());
  tip.AddTool(kPicture, {QStringLiteral("line")}, kFill, 0);
  tip.ShowTool(kPicture, {10, 10});
  const QRect box = tip.geometry();
  tip.HideTip(kPicture, {10, 10});
  EXPECT_FALSE(tip.isVisible());
  EXPECT_EQ(tip.tipWidth(), 0);
  EXPECT_EQ(tip.tipHeight(), 0);
  EXPECT_FALSE(hasColour(owner.grab().toImage(), box, FromColorRef(kFill)));
}

TEST(BBToolTip, ToolsReplaceAndRemove) {
  Owner owner;
  CBBToolTip tip(&owner);
  EXPECT_EQ(tip.AddTool(1, {QStringLiteral("a")}, kFill, 0), 1);
  EXPECT_EQ(tip.AddTool(2, {QStringLiteral("b")}, kFill, 0), 1);
  EXPECT_EQ(tip.tool(1), nullptr) << "a new tool replaces every earlier one";
  tip.ShowTool(1, {5, 5});
  EXPECT_EQ(tip.currentId(), 0);
  EXPECT_FALSE(tip.isVisible());

  tip.ShowTool(2, {5, 5});
  ASSERT_FALSE(tip.isHidden());
  tip.AddTool(3, {QStringLiteral("c")}, kFill, 0);
  EXPECT_EQ(tip.RemoveTool(3, {5, 5}), 1);  // not the current one: no repaint
  EXPECT_FALSE(tip.isHidden());
  tip.AddTool(2, {QStringLiteral("b")}, kFill, 0);
  EXPECT_EQ(tip.RemoveTool(2, {5, 5}), 1);
  EXPECT_TRUE(tip.isHidden());
  EXPECT_EQ(tip.tool(2), nullptr);
  EXPECT_EQ(tip.RemoveTool(7, {5, 5}), 1);
}

TEST(BBToolTip, OwnerKeepsTheMouse) {
  Owner owner;
  owner.show();
  CBBToolTip tip(&owner);
  tip.AddTool(kPicture, {QStringLiteral("line")}, kFill, 0);
  tip.ShowTool(kPicture, {100, 100});
  EXPECT_EQ(owner.childAt(110, 110), nullptr);
}

}  // namespace

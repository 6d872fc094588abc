// The message log: wrapping, the 200-line cap, short messages, colours on
// screen and the marked-text round trip.
#include <QImage>
#include <QListWidget>
#include <gtest/gtest.h>

#include "gui_test_support.h"
#include "log/colour_message_list.h"
#include "log/log.h"
#include "window/colours.h"

namespace {

struct LogTest : ::testing::Test {
  void SetUp() override {
    list.widget()->resize(480, 300);
    list.widget()->show();
  }
  CLog makeLog(bool shortMessages = false) {
    CLog::Options o;
    o.shortMessages = [shortMessages] { return shortMessages; };
    return CLog(list, o);
  }
  QStringList texts() const {
    QStringList out;
    for (int i = 0; i < list.count(); ++i) out << list.itemText(i);
    return out;
  }
  ColourMessageList list;
};

TEST_F(LogTest, TheListIsEmptiedBeforeTheLineAfterThe200th) {
  CLog log = makeLog();
  for (int i = 0; i < 199; ++i) log.Add(QString("line %1").arg(i), 0);
  EXPECT_EQ(list.count(), 199);
  log.Add("line 199", 0);
  EXPECT_EQ(list.count(), 200);
  log.Add("line 200", 0);
  EXPECT_EQ(texts(), QStringList{" line 200"});
  // Lines that came in by another road count too: the list never grows past the cap.
  for (int i = 0; i < 250; ++i) list.AddColorString("x", 0);
  log.Add("after", 0);
  EXPECT_EQ(texts(), QStringList{" after"});
}

TEST_F(LogTest, MessagesWrapToTheWidthInTheirColour) {
  CLog log = makeLog();
  log.Add("", 0x123456);
  EXPECT_EQ(list.count(), 0);
  log.Add("short", 0x123456);
  EXPECT_EQ(texts(), QStringList{" short"});

  list.ClearItems();
  const QString message =
      "The sensor reported a reading that did not pass, and this message is long enough to need several lines "
      "in a list that is four hundred and eighty pixels wide, so it wraps at the blanks between its words.";
  log.Add(message, 0x59B300);
  ASSERT_GE(list.count(), 2);
  QString joined;
  for (int i = 0; i < list.count(); ++i) {
    EXPECT_TRUE(list.itemText(i).startsWith(' '));
    EXPECT_LE(list.textWidth(list.itemText(i)), list.clientWidth());
    EXPECT_EQ(list.itemColour(i), 0x59B300u);
    joined += list.itemText(i).mid(1);
  }
  EXPECT_EQ(joined, message);
}

TEST_F(LogTest, ShortMessagesStopAfterThreeLines) {
  CLog log = makeLog(true);
  log.Add(QString("word ").repeated(200), 0);
  ASSERT_EQ(list.count(), 3);
  EXPECT_TRUE(list.itemText(2).endsWith("..."));
  EXPECT_FALSE(list.itemText(1).endsWith("..."));
}

TEST(LogBreakTest, BreakRules) {
  // Every character 7 pixels wide, or 10, or 20.
  auto width = [](int perChar) { return [perChar](const QString& t) { return int(t.size()) * perChar; }; };
  const struct {
    int perChar;
    int listWidth;
    QString text;
    bool autoDetected;
    int expected;
  } rows[] = {
      {7, 113, "fits on one line", false, 11},            // 112 pixels > 100: at the last blank
      {7, 200, "fits on one line", false, 15},            // whole text
      {7, 10, "anything", false, 7},                      // no room at all: the whole text
      {7, 113, "aaaa bbbb cccc dddd eeee", false, 14},    // last blank that fits, kept on the line
      {7, 113, "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false, 11},  // long word: (113 - 13) / 9
      {10, 113, "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false, 9},  // 11 characters too wide: / 11
      {7, 113, "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa bb", true, 11},  // auto-detect: still cut by width
      {20, 113, "abcdef", false, 5},                      // never past the end
  };
  for (const auto& r : rows)
    EXPECT_EQ(CLog::FindBreak(width(r.perChar), r.listWidth, r.text, r.autoDetected), r.expected)
        << r.text.toStdString() << " / " << r.listWidth;
}

TEST_F(LogTest, TheFourMarkerColoursOnScreen) {
  for (std::uint32_t c : CLog::kMarkerColours) list.AddColorString(QString("MMMMMMMMMMMMMMMMMMMM"), c);
  auto* widget = static_cast<QListWidget*>(list.widget());
  const QImage image = widget->grab().toImage();
  SaveScreenshot(*widget, "message_log");
  for (int row = 0; row < 4; ++row) {
    const QRect r = widget->visualItemRect(widget->item(row)).translated(widget->viewport()->pos());
    const QColor want = FromColorRef(CLog::kMarkerColours[row]);
    bool found = false;
    for (int y = r.top(); y <= r.bottom() && !found; ++y)
      for (int x = r.left(); x <= r.right() && !found; ++x) {
        const QColor got = image.pixelColor(x, y);
        found = std::abs(got.red() - want.red()) < 24 && std::abs(got.green() - want.green()) < 24 &&
                std::abs(got.blue() - want.blue()) < 24;
      }
    EXPECT_TRUE(found) << "row " << row;
  }
}

TEST_F(LogTest, MarkedTextRoundTrip) {
  CLog log = makeLog();
  log.Add("red alert", 0x0000FF);
  log.Add("pass", 0x59B300);
  log.Add("plain", 32768);
  log.Add("info", 0xFF0000);
  log.Add("other", 0x000000);
  const QString marked = log.GetMarkedText();
  EXPECT_EQ(marked, " red alert\n# pass\n@ plain\n info\n! other\n$");
  const QStringList before = texts();
  log.SetMarkedText(marked);
  EXPECT_EQ(texts(), before);
  const std::uint32_t colours[] = {0x0000FF, 0x59B300, 32768, 0xFF0000, 0x000000};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(list.itemColour(i), colours[i]) << i;
  // Text after the last line break is no line.
  log.SetMarkedText(" one\n! two");
  EXPECT_EQ(texts(), QStringList{" one"});
}

}  // namespace

// The stored result images: the list of 32, the index rules, the frame shown
// again with its messages, the thumbnails over the function-test grid, and
// the export's BMP and page against golden files.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTextBrowser>
#include <QUrl>
#include <memory>

#include "controls/color_list_box_log.h"
#include "controls/grid_ctrl.h"
#include "image_view_fixture.h"
#include "log/log.h"
#include "services/recording_prompt.h"
#include "temp_dir.h"
#include "view/result_image_store.h"

namespace viewtest {
namespace {

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Golden(const char* name) {
  return QStringLiteral(VT_SOURCE_DIR "/tests/view/golden/") + QString::fromLatin1(name);
}

class StoreTest : public ImageViewTest {
protected:
  StoreTest() {
    log = std::make_unique<CLog>(list, CLog::Options{});
    list.widget()->resize(490, 195);
    ResultImageStoreHost host;
    host.view = view.get();
    host.colours = &state.colours;
    host.markedText = [this] { return log->GetMarkedText(); };
    host.setMarkedText = [this](const QString& t) { log->SetMarkedText(t); };
    host.text = englishText;
    host.title = [] { return QStringLiteral("Varnis Tarvel"); };
    host.prompt = &prompt;
    host.now = [] { return QDateTime(QDate(2026, 12, 10), QTime(19, 5, 7)); };
    store.setHost(host);
  }

  // A reading: a flat picture of this grey and one message line.
  int capture(int grey, int flag, const QString& message = {}) {
    view->ShowPicture(flatGrey(640, 480, grey));
    log->Clear();
    if (!message.isEmpty()) log->Add(message, flag == 1 ? 0x59B300 : 0x0000FF);
    return store.AddFrame(flag);
  }

  QString dir() const { return QString::fromStdString(tmp.path().string()); }

  ColorListBoxLog list;
  std::unique_ptr<CLog> log;
  RecordingPrompt prompt;
  ResultImageStore store;
  vt::test::TempDir tmp;
};

TEST_F(StoreTest, TheListKeepsTheNewest32) {
  for (int k = 0; k < 33; ++k) ASSERT_EQ(capture(k * 7, k % 2, QStringLiteral("reading %1").arg(k)), 0);
  ASSERT_EQ(store.frameCount(), 32);
  EXPECT_EQ(store.bitsPerPixel(), 32);
  // Position 0 is reading 32, position 31 reading 1: reading 0 fell out.
  for (int pos : {0, 1, 31}) {
    const int reading = 32 - pos;
    EXPECT_EQ(store.passFlag(pos), reading % 2) << pos;
    EXPECT_TRUE(store.caption(pos).contains(QStringLiteral("reading %1").arg(reading))) << pos;
    EXPECT_EQ(qGray(store.frame(pos).pixel(320, 240)), reading * 7) << pos;
  }
  // A new test forgets the flags only; the pictures stay in place.
  store.ResetSlots();
  EXPECT_EQ(store.frameCount(), 32);
  EXPECT_EQ(store.passFlag(0), -1);
  EXPECT_TRUE(store.caption(0).contains(QStringLiteral("reading 32")));
  store.FreeFrames();
  EXPECT_EQ(store.frameCount(), 0);
}

TEST_F(StoreTest, AFailedCaptureRecordsNothing) {
  ASSERT_EQ(capture(50, 1, QStringLiteral("kept")), 0);
  ResultImageStoreHost noView;
  noView.markedText = [] { return QStringLiteral(" lost\n!"); };
  store.setHost(noView);
  EXPECT_EQ(store.AddFrame(0), -1);
  ASSERT_EQ(store.frameCount(), 1);
  // The frame keeps its own flag and caption, not the failed reading's.
  EXPECT_EQ(store.passFlag(0), 1);
  EXPECT_TRUE(store.caption(0).contains(QStringLiteral("kept")));
}

TEST_F(StoreTest, IndexRules) {
  for (int k = 0; k < 3; ++k) ASSERT_EQ(capture(40 + k, 1), 0);
  const QString page = dir() + "/page.htm";
  struct Case {
    int index, show, exported;
  };
  for (const Case& c : {Case{-1, -1, -14142}, Case{3, -1, -1}, Case{4, -1, -14142}, Case{2, 0, 0}})
  {
    EXPECT_EQ(store.ShowFrame(c.index), c.show) << c.index;
    EXPECT_EQ(store.ExportHtml(c.index, page), c.exported) << c.index;
  }
  EXPECT_TRUE(prompt.messages().isEmpty());
}

TEST_F(StoreTest, ShowFrameBringsBackPictureAndMessages) {
  ASSERT_EQ(capture(30, 1, QStringLiteral("first")), 0);
  ASSERT_EQ(capture(200, 0, QStringLiteral("second")), 0);
  ASSERT_EQ(store.ShowFrame(1), 0);
  EXPECT_EQ(qGray(view->surface().pixel(10, 10)), 30);
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(list.itemText(0), QStringLiteral(" first"));
  EXPECT_EQ(list.itemColour(0), 0x59B300u);
}

TEST_F(StoreTest, ThumbnailsAreFramedInPassAndFailColours) {
  CGridCtrl grid(0, 0, 0, 0);
  grid.m_OwnerRole = GridOwnerRole::FunctionTest;
  grid.SetColumnCount(2);
  grid.SetFixedColumnCount(1);
  grid.SetRowCount(32);
  grid.SetColumnWidth(0, 41);
  grid.SetColumnWidth(1, 68);
  for (int r = 0; r < 32; ++r) grid.SetRowHeight(r, 48);
  int shown = 1;
  grid.SetThumbnailPainter([&] { return shown; }, [&](QPainter& p) { store.DrawThumbnails(p); });
  grid.resize(130, 200);
  store.setGrid(&grid);
  ASSERT_EQ(capture(120, 0), 0);  // row 1
  ASSERT_EQ(capture(60, 1), 0);   // row 0
  grid.show();
  GridRect pass, fail;
  ASSERT_TRUE(grid.GetCellRect(0, 1, &pass));
  ASSERT_TRUE(grid.GetCellRect(1, 1, &fail));
  const QImage shot = grid.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QColor passColour = QColor(0, 200, 0), failColour = QColor(255, 3, 33);
  EXPECT_EQ(shot.pixelColor(pass.left, pass.top + 10), passColour);
  EXPECT_EQ(shot.pixelColor(fail.right - 1, fail.top + 10), failColour);
  EXPECT_EQ(qGray(shot.pixel(pass.left + 20, pass.top + 20)), 60);
  EXPECT_EQ(qGray(shot.pixel(fail.left + 20, fail.top + 20)), 120);
  // Without the main window's flag the grid paints only its cells.
  shown = 0;
  const QImage plain = grid.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_NE(plain.pixelColor(pass.left, pass.top + 10), passColour);
}

TEST_F(StoreTest, CaptionLines) {
  struct Case {
    QString caption;
    QStringList lines;
  };
  const Case cases[] = {
      {QString(), {}},
      {QStringLiteral(" a<b & c\n!"), {QStringLiteral(" a<b & c")}},
      // The message's own colour has no marker: the line ends at its line feed.
      {QStringLiteral(" one\n two\n"), {QStringLiteral(" one"), QStringLiteral("two")}},
      // A wrapped message: the short rest up to the next marker joins it.
      {QStringLiteral(" Code 1: long text\n@ wrapped\n@ Code 2\n@"),
       {QStringLiteral(" Code 1: long textwrapped"), QStringLiteral("Code 2")}},
      // Not for "@", "#", "$" when the rest starts with a digit.
      {QStringLiteral(" Count\n# 12 codes\n#"), {QStringLiteral(" Count"), QStringLiteral("12 codes")}},
      // Text after the last line feed is not written.
      {QStringLiteral(" done\n$ trailing"), {QStringLiteral(" done")}},
  };
  for (const Case& c : cases) EXPECT_EQ(ResultImageStore::CaptionLines(c.caption), c.lines) << c.caption.toStdString();
  EXPECT_EQ(ResultImageStore::EscapeHtml(QStringLiteral("a<b & c")), QStringLiteral("a&lt;b &amp; c"));
  EXPECT_EQ(ResultImageStore::EscapeHtml(QStringLiteral("Größe 5€ >")), QStringLiteral("Gr&#246;&#223;e 5&euro; &gt;"));
}

// run%1.htm: the picture run%1.bmp, the address ./run%251.bmp; the caption's
// "<", "&" and umlauts escaped. Both files equal the golden ones.
TEST_F(StoreTest, ExportWritesTheGoldenBmpAndPage) {
  view->ShowPicture(greyRamp());
  log->Clear();
  log->Add(QStringLiteral("a<b & c"), 0x59B300);
  log->Add(QStringLiteral("Größe"), 0x0000FF);
  ASSERT_EQ(store.AddFrame(1), 0);
  const QString page = dir() + "/run%1.htm";
  ASSERT_EQ(store.ExportHtml(0, page), 0);
  const QByteArray bmp = ReadFile(dir() + "/run%1.bmp");
  EXPECT_EQ(bmp.size(), 921654);
  EXPECT_EQ(bmp.left(54), ReadFile(Golden("ramp_header.bin")));
  EXPECT_EQ(QCryptographicHash::hash(bmp, QCryptographicHash::Sha256).toHex(),
            ReadFile(Golden("ramp_bmp.sha256")).trimmed());
  const QByteArray html = ReadFile(page);
  EXPECT_EQ(html.toStdString(), ReadFile(Golden("run%1.htm")).toStdString());
  EXPECT_TRUE(html.contains("<img src= \"./run%251.bmp\" alt= \"run%251\">"));
  EXPECT_TRUE(html.contains("a&lt;b &amp; c<br>"));
  EXPECT_TRUE(html.contains("Gr&#246;&#223;e<br>"));
  EXPECT_TRUE(prompt.messages().isEmpty());
  // A look at the page as a browser shows it (VT_SCREENSHOT_DIR set).
  if (const QString shots = qEnvironmentVariable("VT_SCREENSHOT_DIR"); !shots.isEmpty()) {
    QTextBrowser browser;
    browser.setSearchPaths({dir()});
    browser.resize(700, 620);
    browser.setSource(QUrl::fromLocalFile(page));
    browser.grab().save(shots + "/exported_page.png");
  }
}

// Names that bent the old page: the base keeps everything up to the
// extension, "#" and "?" are encoded in the address, the alt text escaped.
TEST_F(StoreTest, PageNamesAreEncoded) {
  ASSERT_EQ(capture(90, 1), 0);
  struct Case {
    const char* file;
    const char* bmp;
    const char* img;
  };
  for (const Case& c : {Case{"x.html", "x.bmp", "<img src= \"./x.bmp\" alt= \"x\">"},
                        Case{"a#b?.htm", "a#b?.bmp", "<img src= \"./a%23b%3F.bmp\" alt= \"a#b?\">"},
                        Case{"p<&>.htm", "p<&>.bmp", "<img src= \"./p<&>.bmp\" alt= \"p&lt;&amp;&gt;\">"}}) {
    const QString page = dir() + "/" + QString::fromUtf8(c.file);
    ASSERT_EQ(store.ExportHtml(0, page), 0) << c.file;
    EXPECT_TRUE(QFile::exists(dir() + "/" + QString::fromUtf8(c.bmp))) << c.file;
    EXPECT_TRUE(ReadFile(page).contains(c.img)) << ReadFile(page).toStdString();
  }
}

TEST_F(StoreTest, AnEmptyListWritesNoMessageLines) {
  ASSERT_EQ(capture(90, 1), 0);
  ASSERT_EQ(store.ExportHtml(0, dir() + "/empty.htm"), 0);
  EXPECT_TRUE(ReadFile(dir() + "/empty.htm").endsWith("alt= \"empty\"><br></font></body></html>"));
}

TEST_F(StoreTest, UnwritableFilesAreReported) {
  ASSERT_EQ(capture(90, 1), 0);
  // No folder for the picture: 6082, -1 and no page.
  EXPECT_EQ(store.ExportHtml(0, dir() + "/missing/p.htm"), -1);
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_EQ(prompt.messages()[0].text, englishText(6082));
  EXPECT_EQ(prompt.messages()[0].caption, QStringLiteral("Varnis Tarvel"));
  // The picture is written but the page cannot be (a folder of that name).
  ASSERT_TRUE(QDir(dir()).mkdir("taken.htm"));
  EXPECT_EQ(store.ExportHtml(0, dir() + "/taken.htm"), -1);
  EXPECT_EQ(prompt.messages().size(), 2);
}

TEST(BmpWriter, RowsArePaddedAndBottomUp) {
  QImage image(3, 2, QImage::Format_RGB32);
  image.setPixel(0, 0, qRgb(1, 2, 3));     // top left
  image.setPixel(2, 1, qRgb(7, 8, 9));     // bottom right
  const BmpPicture p = ResultImageStore::ToBmpPicture(image);
  ASSERT_EQ(p.bytesPerRow, 12);
  const QByteArray bytes = ResultImageStore::BmpFileBytes(p);
  ASSERT_EQ(bytes.size(), 54 + 24);
  EXPECT_EQ(bytes.mid(2, 4), QByteArray("\x4e\0\0\0", 4));
  // The first row in the file is the bottom one: its last pixel 9, 8, 7.
  EXPECT_EQ(bytes.mid(54 + 6, 3), QByteArray("\x09\x08\x07", 3));
  EXPECT_EQ(bytes.mid(54 + 12, 3), QByteArray("\x03\x02\x01", 3));
}

}  // namespace
}  // namespace viewtest

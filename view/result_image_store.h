#pragma once
// ResultImageStore: the last 32 readings of the function test as pictures.
// Each capture copies the image view's surface (picture and overlays) with
// the reading's good/failed flag and the message list of that moment. The
// frames are drawn as thumbnails over the function-test grid, shown again
// in the view, or exported as a 24-bit BMP file with a small HTML page.
#include <QDateTime>
#include <QImage>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

class CDirectX;
class CGridCtrl;
class Prompt;
class QPainter;
class QWidget;
struct GraphicsColours;

// What the store takes from the main window; an empty hook is skipped.
struct ResultImageStoreHost {
  CDirectX* view = nullptr;                             // captured from, shows a stored frame
  const GraphicsColours* colours = nullptr;             // pass and fail colours of the frames
  std::function<QString()> markedText;                  // the message list as marked text
  std::function<void(const QString&)> setMarkedText;    // and back
  std::function<QString(int)> text;                     // language strings
  std::function<QString()> title;                       // application title
  Prompt* prompt = nullptr;                             // message boxes
  QWidget* owner = nullptr;                             // their owner
  std::function<QDateTime()> now;                       // the page's date line (local time)
};

// A picture as a 24-bit BMP holds it: blue, green, red, rows bottom-up,
// each row padded to four bytes.
struct BmpPicture {
  int width = 0;
  int height = 0;
  int bytesPerRow = 0;
  std::vector<std::uint8_t> pixels;
  bool empty() const { return pixels.empty(); }
};

class ResultImageStore {
public:
  static constexpr int kMaxFrames = 32;
  static constexpr int kErrNoPicture = -14141;    // the 24-bit picture could not be made
  static constexpr int kErrIndexRange = -14142;   // index negative or beyond the frames
  static constexpr int kMsgFileNotWritten = 6082;

  ResultImageStore() = default;
  explicit ResultImageStore(ResultImageStoreHost host) : host_(std::move(host)) {}

  void setHost(ResultImageStoreHost host) { host_ = std::move(host); }
  // The last-readings grid: row k shows position k; a capture repaints it.
  void setGrid(CGridCtrl* grid);

  // Captures the view's surface as the newest frame; 0, or -1 when there is
  // no picture (nothing is recorded then).
  int AddFrame(int passFlag);
  // Every flag -1; frames and captions stay until they fall out.
  void ResetSlots();
  void FreeFrames();
  // Draws each frame into column 1 of its row of the grid, framed in the pass
  // or fail colour; the grid calls it at the end of its paint.
  void DrawThumbnails(QPainter& painter) const;
  // 0, or -1 for a negative index or one that names no frame.
  int ShowFrame(int index);
  // The frame as <base>.bmp beside the page and the page itself; 0,
  // -14142 (index negative or beyond the frames), -1 (no such frame, a file
  // not written), -14141 (no 24-bit picture).
  int ExportHtml(int index, const QString& pagePath);

  int frameCount() const { return int(frames_.size()); }
  int passFlag(int index) const;
  QString caption(int index) const;
  QImage frame(int index) const;
  int bitsPerPixel() const { return bitsPerPixel_; }

  // A 24-bit BMP of the picture; 0, or -1 (message 6082 when a host prompt is set).
  int WriteBmp(const QString& path, const BmpPicture& picture) const;
  static BmpPicture ToBmpPicture(const QImage& image);
  static QByteArray BmpFileBytes(const BmpPicture& picture);
  // The HTML form of one character.
  static QString EscapeHtmlChar(QChar c);
  static QString EscapeHtml(const QString& text);
  // The message lines of a marked text, as the page shows them (not escaped).
  static QStringList CaptionLines(const QString& caption);
  // The page as text (before the UTF-8 conversion).
  QString BuildHtmlPage(const QString& pagePath, int index) const;

private:
  struct Frame {
    QImage picture;
    int passFlag = -1;
    QString caption;
  };
  void FileNotWritten() const;
  QString T(int id) const { return host_.text ? host_.text(id) : QString(); }

  ResultImageStoreHost host_;
  QPointer<CGridCtrl> grid_;
  std::deque<Frame> frames_;  // position 0 the newest
  int bitsPerPixel_ = 0;
};

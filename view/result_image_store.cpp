#include "view/result_image_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QSaveFile>

#include "controls/grid_ctrl.h"
#include "core/graphics_colours.h"
#include "services/prompt.h"
#include "view/direct_x.h"
#include "window/colours.h"

namespace {

constexpr int kBmpHeaderBytes = 54;
constexpr int kBmpInfoBytes = 40;
constexpr int kResolutionX = 25197;  // pixels per metre
constexpr int kResolutionY = 18898;
// A marker found closer than this after a line makes what lies between a
// continuation of that line.
constexpr int kContinuationReach = 23;

void Put16(QByteArray& out, int v) {
  out.append(char(v & 0xFF));
  out.append(char((v >> 8) & 0xFF));
}

void Put32(QByteArray& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.append(char((v >> shift) & 0xFF));
}

int MarkerIndex(QChar c) {
  static constexpr char16_t kMarkers[4] = {u'!', u'@', u'#', u'$'};
  for (int m = 0; m < 4; ++m)
    if (c == QChar(kMarkers[m])) return m;
  return -1;
}

// The image address: "%", "#", "?" and the quote would end or bend the link.
QString PercentEncodeName(const QString& name) {
  QString out;
  for (QChar c : name) {
    switch (c.unicode()) {
      case u'%': out += QStringLiteral("%25"); break;
      case u'#': out += QStringLiteral("%23"); break;
      case u'?': out += QStringLiteral("%3F"); break;
      case u'"': out += QStringLiteral("%22"); break;
      default: out += c;
    }
  }
  return out;
}

// The name as the page has always shown it: "25" after every "%" that no
// other "%" follows.
QString PercentMarkedName(const QString& name) {
  QString out;
  for (qsizetype i = 0; i < name.size(); ++i) {
    out += name[i];
    if (name[i] == u'%' && (i + 1 >= name.size() || name[i + 1] != u'%')) out += QStringLiteral("25");
  }
  return out;
}

}  // namespace

// --- Frames ---

void ResultImageStore::setGrid(CGridCtrl* grid) { grid_ = grid; }

int ResultImageStore::AddFrame(int passFlag) {
  if (!host_.view) return -1;
  QImage picture = host_.view->surface();
  if (picture.isNull()) return -1;
  picture = picture.convertToFormat(QImage::Format_RGB32);
  if (picture.isNull()) return -1;
  bitsPerPixel_ = 32;
  // The flag and the message list are kept with their own frame only.
  Frame f{std::move(picture), passFlag, host_.markedText ? host_.markedText() : QString()};
  if (int(frames_.size()) >= kMaxFrames) frames_.pop_back();
  frames_.push_front(std::move(f));
  if (grid_) grid_->viewport()->update();
  return 0;
}

void ResultImageStore::ResetSlots() {
  for (Frame& f : frames_) f.passFlag = -1;
}

void ResultImageStore::FreeFrames() {
  frames_.clear();
  if (grid_) grid_->viewport()->update();
}

int ResultImageStore::passFlag(int index) const {
  return index >= 0 && index < frameCount() ? frames_[std::size_t(index)].passFlag : -1;
}

QString ResultImageStore::caption(int index) const {
  return index >= 0 && index < frameCount() ? frames_[std::size_t(index)].caption : QString();
}

QImage ResultImageStore::frame(int index) const {
  return index >= 0 && index < frameCount() ? frames_[std::size_t(index)].picture : QImage();
}

void ResultImageStore::DrawThumbnails(QPainter& painter) const {
  if (!grid_ || frames_.empty()) return;
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  for (int k = 0; k < frameCount(); ++k) {
    GridRect cell;
    if (!grid_->GetCellRect(k, 1, &cell)) continue;
    const Frame& f = frames_[std::size_t(k)];
    if ((f.passFlag == 1 || f.passFlag == 0) && host_.colours) {
      const std::uint32_t colour = f.passFlag == 1 ? host_.colours->passColour : host_.colours->failColour;
      painter.setPen(QPen(FromColorRef(colour), 1));
      painter.drawRect(QRect(cell.left, cell.top, cell.Width() - 1, cell.Height() - 1));
    }
    const QRect inner(cell.left + 2, cell.top + 2, cell.Width() - 4, cell.Height() - 4);
    if (inner.isValid()) painter.drawImage(inner, f.picture);
  }
  painter.restore();
}

int ResultImageStore::ShowFrame(int index) {
  if (index < 0 || index >= frameCount()) return -1;
  const Frame& f = frames_[std::size_t(index)];
  if (host_.view) {
    // The stored picture carries its overlays already.
    host_.view->ShowAllOverlays(false);
    host_.view->ShowPicture(f.picture);
  }
  if (host_.setMarkedText) host_.setMarkedText(f.caption);
  return 0;
}

// --- Export ---

int ResultImageStore::ExportHtml(int index, const QString& pagePath) {
  if (index < 0 || index > frameCount()) return kErrIndexRange;
  if (index == frameCount()) return -1;
  const BmpPicture picture = ToBmpPicture(frames_[std::size_t(index)].picture);
  if (picture.empty()) return kErrNoPicture;
  const QFileInfo page(pagePath);
  const QString bmpPath = page.dir().filePath(page.completeBaseName() + QStringLiteral(".bmp"));
  if (WriteBmp(bmpPath, picture) != 0) return -1;
  // Text mode: every line feed goes to the file as CR LF.
  QByteArray bytes = BuildHtmlPage(pagePath, index).toUtf8();
  bytes.replace("\n", "\r\n");
  QSaveFile file(pagePath);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    FileNotWritten();
    return -1;
  }
  return 0;
}

BmpPicture ResultImageStore::ToBmpPicture(const QImage& image) {
  BmpPicture out;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  if (rgb.isNull()) return out;
  out.width = rgb.width();
  out.height = rgb.height();
  out.bytesPerRow = ((24 * out.width + 31) / 32) * 4;
  out.pixels.assign(std::size_t(out.bytesPerRow) * std::size_t(out.height), 0);
  for (int y = 0; y < out.height; ++y) {
    // Bottom-up: the first row in the file is the picture's last.
    const QRgb* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(out.height - 1 - y));
    std::uint8_t* dst = out.pixels.data() + std::size_t(y) * std::size_t(out.bytesPerRow);
    for (int x = 0; x < out.width; ++x) {
      *dst++ = std::uint8_t(qBlue(src[x]));
      *dst++ = std::uint8_t(qGreen(src[x]));
      *dst++ = std::uint8_t(qRed(src[x]));
    }
  }
  return out;
}

QByteArray ResultImageStore::BmpFileBytes(const BmpPicture& p) {
  const std::uint32_t imageBytes = std::uint32_t(p.bytesPerRow) * std::uint32_t(p.height);
  QByteArray out;
  out.reserve(int(kBmpHeaderBytes + imageBytes));
  out.append("BM");
  Put32(out, kBmpHeaderBytes + imageBytes);
  Put32(out, 0);
  Put32(out, kBmpHeaderBytes);
  Put32(out, kBmpInfoBytes);
  Put32(out, std::uint32_t(p.width));
  Put32(out, std::uint32_t(p.height));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, imageBytes);
  Put32(out, kResolutionX);
  Put32(out, kResolutionY);
  Put32(out, 0);
  Put32(out, 0);
  out.append(reinterpret_cast<const char*>(p.pixels.data()), qsizetype(p.pixels.size()));
  return out;
}

int ResultImageStore::WriteBmp(const QString& path, const BmpPicture& picture) const {
  const QByteArray bytes = BmpFileBytes(picture);
  QSaveFile file(path);
  if (picture.empty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    FileNotWritten();
    return -1;
  }
  return 0;
}

void ResultImageStore::FileNotWritten() const {
  if (host_.prompt)
    host_.prompt->message(host_.owner, T(kMsgFileNotWritten), host_.title ? host_.title() : QString(),
                          QMessageBox::Information);
}

// --- Page ---

QString ResultImageStore::EscapeHtmlChar(QChar c) {
  switch (c.unicode()) {
    case u'&': return QStringLiteral("&amp;");
    case u'<': return QStringLiteral("&lt;");
    case u'>': return QStringLiteral("&gt;");
    case 0x20AC: return QStringLiteral("&euro;");
    case 0x00A3: case 0x00A7: case 0x00AB: case 0x00BB: case 0x00C4: case 0x00D6: case 0x00DC:
    case 0x00DF: case 0x00E4: case 0x00E9: case 0x00F6: case 0x00FC:
      return QStringLiteral("&#%1;").arg(int(c.unicode()));
    default: return QString(c);
  }
}

QString ResultImageStore::EscapeHtml(const QString& text) {
  QString out;
  for (QChar c : text) out += EscapeHtmlChar(c);
  return out;
}

// Each line of the list ends in "\n" and its class character. A short run of
// text up to the next marker of the same class continues the line (the log
// wrapped it); for "@", "#" and "$" not when that text starts with a digit.
// The lines are cut from the text as it stands, before escaping, so the "#"
// of a character reference is never taken for a marker.
QStringList ResultImageStore::CaptionLines(const QString& caption) {
  QStringList lines;
  QString t = caption;
  qsizetype from = 0;
  for (;;) {
    const qsizetype sep = t.indexOf(u'\n', from);
    if (sep < 0) break;  // text after the last line feed is no line
    const int marker = sep + 1 < t.size() ? MarkerIndex(t[sep + 1]) : -1;
    t.remove(sep, marker >= 0 ? 2 : 1);
    QString line = t.left(sep);
    // The line goes, and with it the next line's leading blank.
    if (sep != 0) t.remove(0, sep + 1);
    if (marker >= 0 && !t.isEmpty()) {
      const QChar m = QStringLiteral("!@#$")[marker];
      const qsizetype p = t.indexOf(m);
      const bool digit = t[0] >= u'0' && t[0] <= u'9';
      if (p >= 0 && p < kContinuationReach && (marker == 0 || !digit)) {
        QString continuation = t.left(p);
        continuation.remove(u'\n');
        line += continuation;
        t.remove(0, p + 2);
      }
    }
    lines << line;
    from = 1;
  }
  return lines;
}

QString ResultImageStore::BuildHtmlPage(const QString& pagePath, int index) const {
  const QString base = QFileInfo(pagePath).completeBaseName();
  const QString q = QStringLiteral("\"");
  QString page;
  page += QStringLiteral("<!DOCTYPE HTML PUBLIC ") + q + QStringLiteral("-//W3C//DTD HTML 4.01 Transitional//EN") + q +
          QStringLiteral(">");
  page += QStringLiteral("<html><head><meta http-equiv = ") + q + QStringLiteral("Content-Type") + q +
          QStringLiteral(" content = ") + q + QStringLiteral("text/html; charset=UTF-8") + q + QStringLiteral(">");
  page += QStringLiteral("<title></title></head>");
  page += QStringLiteral("<body><font size=") + q + QStringLiteral("2pt") + q + QStringLiteral("face=") + q +
          QStringLiteral("Tahoma, Arial, ") + q + QStringLiteral(">");
  const QDateTime now = host_.now ? host_.now() : QDateTime::currentDateTime();
  page += QStringLiteral("<br><br>") + EscapeHtml(host_.title ? host_.title() : QString()) + QStringLiteral(" :: ") +
          EscapeHtml(T(10005)) + QStringLiteral(" ") + EscapeHtml(T(10006)) +
          now.toString(QStringLiteral("MM/dd/yy hh:mm:ss AP")) + QStringLiteral("<br>");
  page += QString(87, u'-');
  QString alt = EscapeHtml(PercentMarkedName(base));
  alt.replace(u'"', QStringLiteral("&quot;"));
  page += QStringLiteral("<br><br><img src= ") + q + QStringLiteral("./") + PercentEncodeName(base) +
          QStringLiteral(".bmp") + q + QStringLiteral(" alt= ") + q + alt + q + QStringLiteral("><br>");
  for (const QString& line : CaptionLines(caption(index))) page += EscapeHtml(line) + QStringLiteral("<br>");
  page += QStringLiteral("</font></body></html>");
  return page;
}

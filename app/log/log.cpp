#include "log/log.h"

#include "services/view_services.h"

namespace {

// Where a word too long for a line is cut: about one character per 9 pixels,
// or per 11 when those characters are already too wide.
int CutByWidth(const std::function<int(const QString&)>& extent, int available, const QString& text) {
  int cut = available / 9;
  if (extent(text.left(cut)) > available) cut = available / 11;
  return cut;
}

}  // namespace

int CLog::FindBreak(const std::function<int(const QString&)>& extent, int width, const QString& text,
                    bool autoDetected) {
  const int n = int(text.size());
  const int available = width - kMargin;
  if (available < 1 || extent(text) <= available) return n - 1;
  int p = 0;
  int result = -1;
  for (;;) {
    int blank = int(text.indexOf(u' ', p + 1));
    if (blank < 0) blank = n;
    const int line = extent(text.left(blank));
    const int word = extent(text.mid(p + 1, blank - p - 1));
    const int before = extent(text.left(p));
    if (line > available && word > before && !autoDetected) {
      result = CutByWidth(extent, available, text);
      break;
    }
    if (line < available && blank < n) {
      p = blank;
      continue;
    }
    // No blank fits on the line: cut by the width rule instead of giving
    // one character per line.
    result = p > 0 ? p : CutByWidth(extent, available, text);
    break;
  }
  return std::min(result, n - 1);
}

CLog::Batch::Batch(CLog* log) : log_(log) {
  if (log_) log_->list_.BeginChanges();
}

CLog::Batch::~Batch() {
  if (log_) log_->list_.EndChanges();
}

void CLog::Clear() { list_.ClearItems(); }

int CLog::Add(const QString& message, std::uint32_t colour) {
  // By the list's own count, so lines added by any path are counted.
  if (list_.count() >= kMaxLines) Clear();
  const bool shortMessages = options_.shortMessages && options_.shortMessages();
  const bool autoDetected = options_.autoDetected && options_.autoDetected();
  const int width = list_.clientWidth();
  auto extent = [this](const QString& t) { return list_.textWidth(t); };
  QString text = message;
  int lines = 0;
  while (!text.isEmpty()) {
    const int i = FindBreak(extent, width, text, autoDetected);
    if (shortMessages && lines == 2) {
      list_.AddColorString(QStringLiteral(" %1...").arg(text.left(i + 1)), colour);
      break;
    }
    list_.AddColorString(QStringLiteral(" %1").arg(text.left(i + 1)), colour);
    ++lines;
    text = text.mid(i + 1);
  }
  return 0;
}

QString CLog::GetMarkedText() const {
  QString out;
  for (int i = 0; i < list_.count(); ++i) {
    out += list_.itemText(i) + u'\n';
    const std::uint32_t colour = list_.itemColour(i);
    for (int m = 0; m < 4; ++m)
      if (kMarkerColours[m] == colour) {
        out += kMarkers[m];
        break;
      }
  }
  return out;
}

void CLog::SetMarkedText(const QString& text) {
  Clear();
  qsizetype start = 0;
  for (;;) {
    const qsizetype end = text.indexOf(u'\n', start);
    if (end < 0) break;  // text after the last line break is no line
    std::uint32_t colour = options_.unmarkedColour;
    qsizetype next = end + 1;
    if (next < text.size())
      for (int m = 0; m < 4; ++m)
        if (text[next] == kMarkers[m]) {
          colour = kMarkerColours[m];
          ++next;
          break;
        }
    // Lines start with the blank the log put there.
    QString line = text.mid(start, end - start);
    if (!line.isEmpty()) line.remove(0, 1);
    list_.AddColorString(QStringLiteral(" %1").arg(line), colour);
    start = next;
  }
}

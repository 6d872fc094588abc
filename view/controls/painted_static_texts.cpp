#include "painted_static_texts.h"

#include <QPainter>
#include <algorithm>

#include "window/colours.h"
#include "control_fonts.h"

namespace {

QString lookup(const TextLookup& table, unsigned id) { return table ? table(id) : QString(); }

QString productName(const TextLookup& language, const TextLookup& common) {
  const QString name = lookup(language, 922);
  return name.isEmpty() ? lookup(common, 301) : name;
}

QString joined(const QString& first, const QString& second) {
  return QStringLiteral("%1 %2").arg(first, second);
}

// The smallest cell the old dialog face came in; smaller heights were drawn
// at this size there and would be unreadable in a scalable face.
constexpr int kSmallestCell = 13;

int scaled(int height) {
  return std::max(kSmallestCell, static_cast<int>(screenScale() * height));
}

}  // namespace

QString programVersionText() {
  return QStringLiteral("%1.%2").arg(VT_PROGRAM_VERSION_MAJOR).arg(VT_PROGRAM_VERSION_MINOR);
}

QString programBuildText() {
  return QStringLiteral("%1").arg(VT_PROGRAM_BUILD, 3, 10, QLatin1Char('0'));
}

QColor CPaintedLines::lineColour() const { return palette().color(QPalette::WindowText); }

QSize CPaintedLines::sizeHint() const {
  QSize size(0, 0);
  const QStringList texts = lines();
  for (int i = 0; i < texts.size() && !fonts_.empty(); ++i) {
    const QFont& font = fonts_[std::min<std::size_t>(i, fonts_.size() - 1)];
    const QSize line = QFontMetrics(font).size(0, texts[i]);
    size.setWidth(std::max(size.width(), line.width()));
    size.setHeight(size.height() + line.height());
  }
  return size;
}

void CPaintedLines::paintEvent(QPaintEvent*) {
  if (fonts_.empty()) return;
  QPainter painter(this);
  painter.setPen(lineColour());
  int top = 0;
  const QStringList texts = lines();
  for (int i = 0; i < texts.size(); ++i) {
    painter.setFont(fonts_[std::min<std::size_t>(i, fonts_.size() - 1)]);
    const QRect measured = painter.boundingRect(QRect(0, top, width(), height() - top),
                                                Qt::AlignLeft | Qt::AlignTop, texts[i]);
    painter.drawText(measured, Qt::AlignLeft | Qt::AlignTop, texts[i]);
    top = measured.bottom() + 1;
  }
}

CStaticTextAbout::CStaticTextAbout(TextLookup language, TextLookup common, QWidget* parent)
    : CPaintedLines(parent), language_(std::move(language)), common_(std::move(common)) {
  const QString face = lookup(language_, 10000);
  fonts_ = {fontForCellHeight(40, 700, face), fontForCellHeight(27, 700, face),
            fontForCellHeight(20, 700, face), fontForCellHeight(15, 400, face, true)};
}

QStringList CStaticTextAbout::lines() const {
  return {productName(language_, common_), lookup(language_, 923),
          joined(lookup(language_, 924), programVersionText()),
          QStringLiteral("(%1 %2)  ").arg(lookup(language_, 918), programBuildText()),
          joined(lookup(language_, 925), lookup(language_, 928))};
}

CStaticTextMode::CStaticTextMode(TextLookup language, QWidget* parent)
    : CPaintedLines(parent), language_(std::move(language)) {
  fonts_ = {fontForCellHeight(scaled(8), 700)};
}

QStringList CStaticTextMode::lines() const {
  return {lookup(language_, 934), lookup(language_, 935), lookup(language_, 936)};
}

QColor CStaticTextMode::lineColour() const { return FromColorRef(0x194865); }

void CStaticTextMode::setButtons(int pitch, int height, int textLeft) {
  pitch_ = pitch;
  buttonHeight_ = height;
  textLeft_ = textLeft;
  update();
}

QRect CStaticTextMode::nameRect(int k) const {
  if (pitch_ <= 0) return {};
  return QRect(textLeft_, k * pitch_, width() - textLeft_, buttonHeight_);
}

void CStaticTextMode::paintEvent(QPaintEvent* event) {
  if (pitch_ <= 0 || fonts_.empty()) return CPaintedLines::paintEvent(event);
  QPainter painter(this);
  painter.setFont(fonts_.front());
  painter.setPen(lineColour());
  const QStringList texts = lines();
  for (int k = 0; k < texts.size(); ++k) painter.drawText(nameRect(k), Qt::AlignCenter, texts[k]);
}

CStaticTextSplasScreen::CStaticTextSplasScreen(TextLookup language, TextLookup common,
                                               QWidget* parent)
    : CPaintedLines(parent), language_(std::move(language)), common_(std::move(common)) {
  const QString face = lookup(language_, 10000);
  fonts_ = {fontForCellHeight(scaled(28), 700, face), fontForCellHeight(scaled(17), 700, face),
            fontForCellHeight(scaled(19), 700, face), fontForCellHeight(scaled(8), 400, face)};
}

QStringList CStaticTextSplasScreen::lines() const {
  return {productName(language_, common_), lookup(language_, 923), lookup(language_, 928),
          joined(lookup(language_, 924), programVersionText()), lookup(language_, 929)};
}

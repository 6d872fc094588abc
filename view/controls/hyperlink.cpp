#include "hyperlink.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMouseEvent>

#include "services/prompt.h"
#include "window/colours.h"

namespace {

// The opener gives no reason, so a failure is the general "cannot open" text.
constexpr unsigned kOpenFailedText = 10022;
constexpr unsigned kOpenFailedHint = 10023;

QtPrompt& systemPrompt() {
  static QtPrompt prompt;
  return prompt;
}

}  // namespace

CHyperlink::CHyperlink(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  setTextFormat(Qt::PlainText);
  applyLook();
}

std::uint32_t CHyperlink::textColour() const {
  if (over_) return ToColorRef(palette().color(QPalette::Active, QPalette::Highlight));
  return visited_ != 0 ? visitedColour_ : linkColour_;
}

void CHyperlink::SetURL(const QString& url) {
  url_ = url;
  setText(url);
  sizeToText();
}

void CHyperlink::SetUnderline(int underline) {
  underline_ = underline;
  applyLook();
  sizeToText();
}

void CHyperlink::SetVisited(int visited) {
  visited_ = visited;
  applyLook();
}

void CHyperlink::applyLook() {
  QFont linkFont = font();
  linkFont.setUnderline(underline_ != 0);
  setFont(linkFont);
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, FromColorRef(textColour()));
  setPalette(colours);
  update();
}

// Keeps the control's place by its alignment and fits it to the text.
void CHyperlink::sizeToText() {
  if (adjustToFit_ == 0) return;
  const QSize textSize = fontMetrics().size(Qt::TextSingleLine, text());
  QRect place = geometry();
  int x = place.x();
  int y = place.y();
  if (alignment() & Qt::AlignHCenter) x += (place.width() - textSize.width()) / 2;
  else if (alignment() & Qt::AlignRight) x += place.width() - textSize.width();
  if (alignment() & Qt::AlignVCenter) y += (place.height() - textSize.height()) / 2;
  setGeometry(x, y, textSize.width(), textSize.height());
}

void CHyperlink::enterEvent(QEnterEvent* event) {
  over_ = true;
  applyLook();
  QLabel::enterEvent(event);
}

void CHyperlink::leaveEvent(QEvent* event) {
  over_ = false;
  applyLook();
  QLabel::leaveEvent(event);
}

void CHyperlink::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    open();
    event->accept();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

void CHyperlink::open() {
  const QUrl target = QUrl::fromUserInput(url_);
  const bool opened = opener_ ? opener_(target) : QDesktopServices::openUrl(target);
  if (opened) {
    SetVisited(1);
    return;
  }
  QApplication::beep();
  const QString reason = language_ ? language_(kOpenFailedText) : QString();
  const QString hint = language_ ? language_(kOpenFailedHint) : QString();
  Prompt& prompt = prompt_ != nullptr ? *prompt_ : systemPrompt();
  const QString caption =
      prompt_ != nullptr ? caption_ : QGuiApplication::applicationDisplayName();
  prompt.message(this, hint.isEmpty() ? reason : reason + QLatin1Char('\n') + hint, caption,
                 QMessageBox::Warning);
}

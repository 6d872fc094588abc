#include "num_spin_ctrl.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr int kMaxPositions = 32767;
constexpr int kMaxDecimals = 100;

std::string toChars(double value, std::chars_format format, int precision) {
  char buffer[1024];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
  if (result.ec != std::errc()) return {};
  return std::string(buffer, result.ptr);
}

void trimDecimals(std::string& number) {
  if (number.find('.') == std::string::npos) return;
  while (!number.empty() && number.back() == '0') number.pop_back();
  if (!number.empty() && number.back() == '.') number.pop_back();
}

}  // namespace

double readLeadingNumber(const QString& text) {
  const std::string bytes = text.toStdString();
  const char* begin = bytes.data();
  const char* end = begin + bytes.size();
  while (begin != end && (*begin == ' ' || (*begin >= '\t' && *begin <= '\r'))) ++begin;
  bool negative = false;
  if (begin != end && (*begin == '+' || *begin == '-')) {
    negative = *begin == '-';
    ++begin;
    if (begin != end && (*begin == '+' || *begin == '-')) return 0.0;
  }
  double value = 0.0;
  if (std::from_chars(begin, end, value).ec != std::errc()) return 0.0;
  return negative ? -value : value;
}

QString formatSpinValue(double value, int decimals, bool trimZeros) {
  const std::string general = toChars(value, std::chars_format::general, 6);
  if (decimals < 0) return QString::fromStdString(general);
  const int places = std::min(decimals, kMaxDecimals);
  const bool exponent = general.find('e') != std::string::npos;
  std::string text = toChars(value, exponent ? std::chars_format::scientific
                                             : std::chars_format::fixed, places);
  if (trimZeros) {
    if (exponent) {
      const auto e = text.find('e');
      std::string mantissa = text.substr(0, e);
      trimDecimals(mantissa);
      text = mantissa + text.substr(e);
    } else {
      trimDecimals(text);
    }
  }
  return QString::fromStdString(text);
}

CNumSpinCtrl::CNumSpinCtrl(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  up_ = new QToolButton(this);
  down_ = new QToolButton(this);
  up_->setObjectName(QStringLiteral("up"));
  down_->setObjectName(QStringLiteral("down"));
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* arrow : {up_, down_}) {
    arrow->setAutoRepeat(true);
    arrow->setFocusPolicy(Qt::NoFocus);
    // Each arrow takes half of the spin, however small the edit beside it.
    arrow->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    layout->addWidget(arrow);
  }
  connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
  connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
  // As tall as the edit beside it, not as the layout row.
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize CNumSpinCtrl::sizeHint() const { return {17, 22}; }

void CNumSpinCtrl::setBuddy(QLineEdit* buddy) {
  buddy_ = buddy;
  SetRangeAndStep(minValue_, maxValue_, step_);
}

void CNumSpinCtrl::SetRangeAndStep(double minValue, double maxValue, double step) {
  minValue_ = minValue;
  maxValue_ = maxValue;
  step_ = step;
  if (step == 0.0) return;
  const double quotient = std::fabs((maxValue - minValue) / step);
  positions_ = quotient > kMaxPositions || std::isnan(quotient) ? kMaxPositions
                                                                : static_cast<int>(quotient);
  setPosition(position_);
  SetPositionFromValue(GetValue());
}

double CNumSpinCtrl::GetValue() const {
  if (buddy_ == nullptr) return 0.0;
  return readLeadingNumber(buddy_->text());
}

void CNumSpinCtrl::SetPositionFromValue(double value) {
  if (minValue_ == maxValue_) return;
  int position = 0;
  if (value < minValue_) {
    position = 0;
  } else if (value > maxValue_) {
    position = positions_;
  } else {
    position = static_cast<int>((value - minValue_) / (maxValue_ - minValue_) * positions_ + 0.5);
  }
  setPosition(position);
}

QString CNumSpinCtrl::FormatValue(double value) const {
  return formatSpinValue(value, decimals_, trimZeros_);
}

void CNumSpinCtrl::SetValueText(double value) {
  if (buddy_ != nullptr) buddy_->setText(FormatValue(value));
}

void CNumSpinCtrl::stepBy(int delta) {
  double value = GetValue() + delta * step_;
  if (delta >= 0) {
    const double r = std::max(value, maxValue_);
    const double eps = std::max(std::fabs(r * 1e-9), 1e-9);
    if (value - maxValue_ > eps) value = wrap_ ? minValue_ : maxValue_;
  } else {
    const double r = std::max(value, minValue_);
    const double eps = std::max(std::fabs(r * 1e-9), 1e-9);
    if (minValue_ - value > eps) value = wrap_ ? maxValue_ : minValue_;
  }
  SetValueText(value);

  // The arrows' own position moves as a plain up-down control's does.
  int position = position_ + delta;
  if (position > positions_) position = wrap_ ? 0 : positions_;
  if (position < 0) position = wrap_ ? positions_ : 0;
  setPosition(position);
  emit deltaPos(delta);
}

void CNumSpinCtrl::setPosition(int position) {
  position_ = std::clamp(position, 0, positions_);
}

#include "controls/statistics_fields.h"

#include <QLineEdit>

#include "window/colours.h"

namespace {
constexpr std::uint32_t kBackground = 0x99A8AC;

QString Share(int part, int total) {
  return total == 0 ? QStringLiteral("0.00") : QString::asprintf("%5.2f", double(part) / double(total) * 100.0);
}
}  // namespace

StatisticsFields::StatisticsFields(QWidget* parent) {
  QLineEdit** fields[] = {&goodEdit, &failedEdit, &totalEdit, &goodShareEdit, &failedShareEdit};
  for (int i = 0; i < 5; ++i) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("id%1").arg(1139 + i));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setAlignment(Qt::AlignRight);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, FromColorRef(kBackground));
    edit->setPalette(palette);
    *fields[i] = edit;
  }
  Clear();
}

void StatisticsFields::Show(int total, int good, int failed) {
  total_ = total;
  good_ = good;
  failed_ = failed;
  goodShare_ = Share(good, total);
  failedShare_ = Share(failed, total);
  goodEdit->setText(QString::number(good_));
  failedEdit->setText(QString::number(failed_));
  totalEdit->setText(QString::number(total_));
  goodShareEdit->setText(goodShare_);
  failedShareEdit->setText(failedShare_);
}

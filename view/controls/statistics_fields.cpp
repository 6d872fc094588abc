#include "controls/statistics_fields.h"

#include <QLineEdit>

#include "window/colours.h"

namespace {
constexpr std::uint32_t kBackground = 0x99A8AC;

// A field's text is set only when it changes: setting the same text lays it
// out anew (shaping it), and a reading changes two of the five fields.
void SetIfChanged(QLineEdit* field, const QString& text) {
  if (field->text() != text) field->setText(text);
}

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
  SetIfChanged(goodEdit, QString::number(good_));
  SetIfChanged(failedEdit, QString::number(failed_));
  SetIfChanged(totalEdit, QString::number(total_));
  SetIfChanged(goodShareEdit, goodShare_);
  SetIfChanged(failedShareEdit, failedShare_);
}

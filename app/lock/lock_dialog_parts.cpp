#include "lock/lock_dialog_parts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QWidget>

QLabel* MakeLockIcon(QWidget* dialog, const QPixmap& icon) {
  auto* label = new QLabel(dialog);
  label->setObjectName(QStringLiteral("id1250"));
  label->setPixmap(icon);
  label->setFixedSize(40, 40);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

QLineEdit* MakePasswordEdit(int id, QWidget* dialog) {
  auto* edit = new QLineEdit(dialog);
  edit->setObjectName(QStringLiteral("id%1").arg(id));
  edit->setEchoMode(QLineEdit::Password);
  return edit;
}

QHBoxLayout* MakeOkEscapeRow(QWidget* dialog, const QString& okText, const QString& escapeText,
                             std::function<void()> onOk, std::function<void()> onEscape) {
  auto* ok = new QPushButton(okText, dialog);
  ok->setObjectName(QStringLiteral("id1200"));
  ok->setDefault(true);
  auto* escape = new QPushButton(escapeText, dialog);
  escape->setObjectName(QStringLiteral("id1252"));
  QObject::connect(ok, &QPushButton::clicked, dialog, std::move(onOk));
  QObject::connect(escape, &QPushButton::clicked, dialog, std::move(onEscape));
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(ok);
  row->addWidget(escape);
  return row;
}

QRect ErrorFrameRect(const QWidget& dialog, std::initializer_list<const QWidget*> controls) {
  QRect united;
  for (const QWidget* c : controls) {
    if (c == nullptr) continue;
    united |= QRect(c->mapTo(&dialog, QPoint(0, 0)), c->size());
  }
  return united.adjusted(-5, -7, 5, 4);
}

void DrawErrorFrame(QPainter& painter, const QRect& frame) {
  painter.save();
  painter.setPen(QPen(QColor(255, 0, 0), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(frame);
  painter.restore();
}

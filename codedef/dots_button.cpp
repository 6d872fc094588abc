#include "dots_button.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

void SetDotsPicture(QPushButton* button, const QString& path) {
  const QPixmap dots(path);
  if (dots.isNull()) {
    button->setText(QStringLiteral("..."));
    return;
  }
  QPixmap off(dots.size());
  off.fill(Qt::transparent);
  QPainter painter(&off);
  painter.drawPixmap(0, 0, dots);
  painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
  painter.fillRect(off.rect(), button->palette().color(QPalette::Disabled, QPalette::ButtonText));
  painter.end();
  QIcon icon(dots);
  icon.addPixmap(off, QIcon::Disabled);
  button->setIcon(icon);
}

#pragma once
// Typing into a dialog's edit and ticking its check boxes as a user would.
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

// Clears the edit "id<id>" and types text: ASCII as key clicks, other
// characters (which QTest has no keys for) as typed text.
inline void TypeInto(QWidget& dialog, int id, const QString& text) {
  auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("id%1").arg(id));
  edit->clear();
  edit->setFocus();
  for (QChar ch : text) {
    if (ch.unicode() < 128)
      QTest::keyClick(edit, ch.toLatin1());
    else
      edit->insert(QString(ch));
  }
}

// Clicks the box of check box "id<id>" (not the blank right of its label).
inline void Tick(QWidget& dialog, int id) {
  auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("id%1").arg(id));
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

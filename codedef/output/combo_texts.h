#pragma once
// The lists and labels of the process-interface tabs: made with their
// control ids as object names; items by language string ids.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <algorithm>
#include <functional>
#include <initializer_list>

// A list that takes the focus on a click and is as wide as minChars.
inline QComboBox* MakeIdCombo(QWidget* parent, int id, int minChars) {
  auto* c = new QComboBox(parent);
  c->setObjectName(QStringLiteral("id%1").arg(id));
  c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  c->setMinimumContentsLength(minChars);
  c->setFocusPolicy(Qt::StrongFocus);
  return c;
}
inline QLabel* MakeIdLabel(QWidget* parent, int id) {
  auto* l = new QLabel(parent);
  l->setObjectName(QStringLiteral("id%1").arg(id));
  l->setWordWrap(true);
  return l;
}

// The selection stays (none stays none).
inline void SetComboTexts(QComboBox* combo, std::initializer_list<int> ids, const std::function<QString(int)>& text) {
  const int selected = combo->currentIndex();
  const QSignalBlocker quiet(combo);
  combo->clear();
  for (int id : ids) combo->addItem(text(id));
  combo->setCurrentIndex(selected < combo->count() ? selected : -1);
  // The open list shows every item whole, also where the list is narrower.
  int widest = 0;
  for (int i = 0; i < combo->count(); ++i)
    widest = std::max(widest, combo->fontMetrics().horizontalAdvance(combo->itemText(i)));
  combo->view()->setMinimumWidth(widest + 24);
}

#include "ok_cancel_row.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

OkCancelButtons AddOkCancelRow(QDialog& dialog, QBoxLayout& layout) {
  OkCancelButtons b;
  b.ok = new QPushButton(&dialog);
  b.ok->setObjectName(QStringLiteral("id1"));
  b.cancel = new QPushButton(&dialog);
  b.cancel->setObjectName(QStringLiteral("id2"));
  b.ok->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(b.ok);
  row->addWidget(b.cancel);
  layout.addLayout(row);
  QObject::connect(b.ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(b.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  return b;
}

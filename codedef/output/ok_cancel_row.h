#pragma once
// The output dialogs' OK (id 1, the default) and Cancel (id 2) at the right
// of a row added to the dialog's layout, wired to accept and reject.
class QBoxLayout;
class QDialog;
class QPushButton;

struct OkCancelButtons {
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
};

OkCancelButtons AddOkCancelRow(QDialog& dialog, QBoxLayout& layout);

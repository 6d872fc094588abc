#include "config/config_name_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/config_manager.h"
#include "core/config_store.h"
#include "window/main_window.h"

ConfigNameDialog::ConfigNameDialog(CConfigManager& manager, int editId, int escapeId, int labelId, QWidget* parent)
    : QDialog(parent), manager_(manager) {
  combo_ = new QComboBox(this);
  combo_->setObjectName(QStringLiteral("id1054"));
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("id%1").arg(editId));
  edit_->setMaxLength(kConfigNameLength);
  label_ = new QLabel(this);
  label_->setObjectName(QStringLiteral("id%1").arg(labelId));
  ok_ = new QPushButton(this);
  ok_->setObjectName(QStringLiteral("id1"));
  ok_->setDefault(true);
  escape_ = new QPushButton(this);
  escape_->setObjectName(QStringLiteral("id%1").arg(escapeId));
  escape_->setAutoDefault(false);
  auto* grid = new QGridLayout(this);
  grid->addWidget(label_, 0, 0, 1, 2);
  grid->addWidget(combo_, 1, 0);
  grid->addWidget(edit_, 1, 1);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok_);
  row->addWidget(escape_);
  grid->addLayout(row, 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  combo_->setMinimumWidth(60);
  edit_->setMinimumWidth(260);
  connect(ok_, &QPushButton::clicked, this, [this] { OnOK(); });
  connect(escape_, &QPushButton::clicked, this, [this] {
    OnEscape();
    QDialog::reject();
    if (manager_.tree()) manager_.tree()->update();
  });
  focusWatch_ = connect(qApp, &QApplication::focusChanged, this, &ConfigNameDialog::OnFocusChanged);
  installEventFilter(this);
  for (QWidget* w : {static_cast<QWidget*>(combo_), static_cast<QWidget*>(edit_), static_cast<QWidget*>(ok_),
                     static_cast<QWidget*>(escape_)})
    w->installEventFilter(this);
}

// QWidget's destructor still hides the dialog and moves the focus: the watch
// must not reach a half-destroyed dialog.
ConfigNameDialog::~ConfigNameDialog() { disconnect(focusWatch_); }

void ConfigNameDialog::FillNumbers(const std::vector<int>& numbers, int select) {
  combo_->clear();
  for (int n : numbers) combo_->addItem(QString::fromStdU16String(ConfigNumberText(n)), n);
  const int at = combo_->findData(select);
  combo_->setCurrentIndex(at >= 0 ? at : 0);
}

void ConfigNameDialog::CheckMessage(int textId, bool beep, bool selectAll) {
  if (beep) QApplication::beep();
  messageShown_ = true;
  checking_ = true;
  manager_.Message(textId);
  checking_ = false;
  edit_->setFocus();
  if (selectAll)
    edit_->selectAll();
  else
    edit_->setSelection(0, kConfigNameLength);
}

void ConfigNameDialog::OnFocusChanged(QWidget* old, QWidget* now) {
  if (old != edit_ || checking_ || messageShown_ || !isVisible()) return;
  if (now == escape_) return;
  const std::u16string name = edit_->text().toStdU16String();
  if (!escapeFlag_ && CheckRenameName(name, false) == 6038) {
    CheckMessage(6038, true);
    return;
  }
  if (name.empty()) CheckMessage(6034, false);
}

bool ConfigNameDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        // The box of a check closes with its own Enter; the flag only
        // quiets the focus check until the next key.
        messageShown_ = false;
        if (focusWidget() == escape_ && !enterAlwaysOk_) {
          escape_->click();
          return true;
        }
        OnOK();
        return true;
      case Qt::Key_Escape:
        messageShown_ = true;
        OnEscape();
        QDialog::reject();
        return true;
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        messageShown_ = false;
        break;
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        if (key->modifiers() & Qt::ShiftModifier) messageShown_ = false;
        break;
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ConfigNameDialog::closeEvent(QCloseEvent* event) {
  escapeFlag_ = true;
  QDialog::closeEvent(event);
}

void ConfigNameDialog::reject() {
  escapeFlag_ = true;
  OnEscape();
  QDialog::reject();
}

#include "services/prompt.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>

QMessageBox::StandardButton QtPrompt::message(QWidget* owner, const QString& text, const QString& caption,
                                              QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, caption, text, buttons, owner);
  open_.append(&box);
  const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
  open_.removeAll(&box);
  return answer;
}

void QtPrompt::AnswerOpenBoxesNo() {
  for (const QPointer<QMessageBox>& box : open_) {
    if (!box) continue;
    if (box->button(QMessageBox::No))
      box->done(QMessageBox::No);
    else
      box->done(QMessageBox::Cancel);
  }
}

int QtPrompt::runDialog(QDialog& dialog) { return dialog.exec(); }

QString QtPrompt::openFileName(QWidget* owner, const QString& title, const QString& folder, const QString& filter) {
  return QFileDialog::getOpenFileName(owner, title, folder, filter);
}

QString QtPrompt::saveFileName(QWidget* owner, const QString& title, const QString& folder, const QString& filter,
                               const QString& defaultSuffix) {
  if (defaultSuffix.isEmpty()) return QFileDialog::getSaveFileName(owner, title, folder, filter);
  QFileDialog dialog(owner, title, folder, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(defaultSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

QString QtPrompt::existingFolder(QWidget* owner, const QString& title, const QString& folder) {
  return QFileDialog::getExistingDirectory(owner, title, folder);
}

QColor QtPrompt::colour(QWidget* owner, const QColor& initial, const QString& title) {
  return QColorDialog::getColor(initial, owner, title);
}

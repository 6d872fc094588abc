#pragma once
// Every message box, file or colour dialog and modal dialog of the program
// goes through one Prompt, so tests answer them without a nested event loop.
#include <QColor>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QString>

class QDialog;
class QWidget;

class Prompt {
public:
  virtual ~Prompt() = default;

  // A message box; returns the button that closed it.
  virtual QMessageBox::StandardButton message(QWidget* owner, const QString& text, const QString& caption,
                                              QMessageBox::Icon icon,
                                              QMessageBox::StandardButtons buttons = QMessageBox::Ok) = 0;
  // Runs a dialog modally; returns its result (QDialog::Accepted, Rejected or a done() code).
  virtual int runDialog(QDialog& dialog) = 0;
  // File and folder choices: an empty text when the user cancelled.
  virtual QString openFileName(QWidget* owner, const QString& title, const QString& folder,
                               const QString& filter) = 0;
  // A name typed without a suffix gets defaultSuffix (when given) before the
  // dialog asks about replacing an existing file.
  virtual QString saveFileName(QWidget* owner, const QString& title, const QString& folder,
                               const QString& filter, const QString& defaultSuffix = {}) = 0;
  virtual QString existingFolder(QWidget* owner, const QString& title, const QString& folder) = 0;
  // A colour choice; an invalid colour when cancelled.
  virtual QColor colour(QWidget* owner, const QColor& initial, const QString& title) = 0;
  // Answers every message box that is open with No (Cancel when it has no
  // No): the user-interface reset does it, so no question outlives a session.
  virtual void AnswerOpenBoxesNo() {}
};

// The real boxes and dialogs.
class QtPrompt : public Prompt {
public:
  QMessageBox::StandardButton message(QWidget* owner, const QString& text, const QString& caption,
                                      QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) override;
  int runDialog(QDialog& dialog) override;
  QString openFileName(QWidget* owner, const QString& title, const QString& folder, const QString& filter) override;
  QString saveFileName(QWidget* owner, const QString& title, const QString& folder, const QString& filter,
                       const QString& defaultSuffix = {}) override;
  QString existingFolder(QWidget* owner, const QString& title, const QString& folder) override;
  QColor colour(QWidget* owner, const QColor& initial, const QString& title) override;
  void AnswerOpenBoxesNo() override;

private:
  QList<QPointer<QMessageBox>> open_;
};

#pragma once
// A Prompt that records every request and answers from a script instead of
// showing anything: for tests, and for the program when the environment
// asks for unattended runs (VT_PROMPT_ANSWER, see docs/program.md).
#include <QDialog>
#include <QList>
#include <QPointer>
#include <deque>
#include <functional>

#include "services/prompt.h"

class RecordingPrompt : public Prompt {
public:
  enum class Kind { Message, Dialog, OpenFile, SaveFile, Folder, Colour };
  struct Request {
    Kind kind = Kind::Message;
    QPointer<QWidget> owner;
    QString text;     // message text, the dialog's window title, or a file dialog's folder
    QString caption;  // message caption, file dialog title
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QPointer<QDialog> dialog;  // the dialog of a Dialog request
    QString suffix;            // a save dialog's default suffix
  };

  // Answers for the coming message boxes, in order; when none is queued the
  // box is answered with its first button of Ok, Yes, Cancel, No.
  void queueAnswer(QMessageBox::StandardButton answer) { answers_.push_back(answer); }
  // Handles the coming modal dialogs: the handler gets the dialog (shown,
  // not modal) and returns its result. Without one the dialog stays shown
  // and the request returns keptOpenResult.
  void setDialogHandler(std::function<int(QDialog&)> handler) { dialogHandler_ = std::move(handler); }
  // A save dialog answers the path completed with its default suffix, as
  // the real one does.
  void setFileAnswer(const QString& path) { fileAnswer_ = path; }
  // Save dialogs ask before they answer an existing file, as the real one
  // does: a question (Yes, No) answered like the message boxes; No answers
  // no file.
  void setAskBeforeReplacing(bool ask) { askBeforeReplacing_ = ask; }
  void setColourAnswer(const QColor& colour) { colourAnswer_ = colour; }
  // Called with each message while its box counts as open (a test raises a
  // second error from there, as an event arriving under a box would).
  void setMessageHook(std::function<void(const Request&)> hook) { messageHook_ = std::move(hook); }
  // Echo every message to standard error as "caption|icon|text" (unattended runs).
  void setEcho(bool on) { echo_ = on; }

  const QList<Request>& requests() const { return requests_; }
  QList<Request> messages() const;
  void clear() { requests_.clear(); }

  static constexpr int keptOpenResult = QDialog::Rejected;

  QMessageBox::StandardButton message(QWidget* owner, const QString& text, const QString& caption,
                                      QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) override;
  int runDialog(QDialog& dialog) override;
  QString openFileName(QWidget* owner, const QString& title, const QString& folder, const QString& filter) override;
  QString saveFileName(QWidget* owner, const QString& title, const QString& folder, const QString& filter,
                       const QString& defaultSuffix = {}) override;
  QString existingFolder(QWidget* owner, const QString& title, const QString& folder) override;
  QColor colour(QWidget* owner, const QColor& initial, const QString& title) override;
  // A box counts as open while its message hook runs: answered from there,
  // it returns No (or Cancel). answeredNo() counts such answers.
  void AnswerOpenBoxesNo() override;
  int answeredNo() const { return answeredNo_; }

private:
  QList<Request> requests_;
  std::deque<QMessageBox::StandardButton> answers_;
  std::function<int(QDialog&)> dialogHandler_;
  std::function<void(const Request&)> messageHook_;
  QString fileAnswer_;
  QColor colourAnswer_;
  bool echo_ = false;
  bool askBeforeReplacing_ = false;
  int openBoxes_ = 0;
  bool answerNo_ = false;
  int answeredNo_ = 0;
};

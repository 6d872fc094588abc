#include "services/recording_prompt.h"

#include <QFileInfo>
#include <cstdio>

QList<RecordingPrompt::Request> RecordingPrompt::messages() const {
  QList<Request> out;
  for (const auto& r : requests_)
    if (r.kind == Kind::Message) out.append(r);
  return out;
}

QMessageBox::StandardButton RecordingPrompt::message(QWidget* owner, const QString& text, const QString& caption,
                                                     QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) {
  Request r;
  r.kind = Kind::Message;
  r.owner = owner;
  r.text = text;
  r.caption = caption;
  r.icon = icon;
  r.buttons = buttons;
  requests_.append(r);
  if (messageHook_) {
    ++openBoxes_;
    answerNo_ = false;
    messageHook_(r);
    --openBoxes_;
    if (answerNo_) {
      answerNo_ = false;
      ++answeredNo_;
      return (buttons & QMessageBox::No) ? QMessageBox::No : QMessageBox::Cancel;
    }
  }
  if (echo_) std::fprintf(stderr, "%s|%d|%s\n", qPrintable(caption), int(icon), qPrintable(text));
  if (!answers_.empty()) {
    const auto a = answers_.front();
    answers_.pop_front();
    return a;
  }
  for (auto b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::Cancel, QMessageBox::No})
    if (buttons & b) return b;
  return QMessageBox::Ok;
}

int RecordingPrompt::runDialog(QDialog& dialog) {
  Request r;
  r.kind = Kind::Dialog;
  r.owner = dialog.parentWidget();
  r.dialog = &dialog;
  r.text = dialog.windowTitle();
  requests_.append(r);
  dialog.show();
  if (dialogHandler_) return dialogHandler_(dialog);
  return keptOpenResult;
}

QString RecordingPrompt::openFileName(QWidget* owner, const QString& title, const QString& folder, const QString&) {
  requests_.append(Request{Kind::OpenFile, owner, folder, title, QMessageBox::NoIcon, {}, nullptr, {}});
  return fileAnswer_;
}

QString RecordingPrompt::saveFileName(QWidget* owner, const QString& title, const QString& folder, const QString&,
                                      const QString& defaultSuffix) {
  requests_.append(Request{Kind::SaveFile, owner, folder, title, QMessageBox::NoIcon, {}, nullptr, defaultSuffix});
  QString path = fileAnswer_;
  QString suffix = defaultSuffix;
  if (suffix.startsWith('.')) suffix.remove(0, 1);
  if (!path.isEmpty() && !suffix.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += '.' + suffix;
  if (askBeforeReplacing_ && !path.isEmpty() && QFileInfo::exists(path) &&
      message(owner, QStringLiteral("replace %1").arg(path), title, QMessageBox::Question,
              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
    return {};
  return path;
}

QString RecordingPrompt::existingFolder(QWidget* owner, const QString& title, const QString&) {
  requests_.append(Request{Kind::Folder, owner, {}, title, QMessageBox::NoIcon, {}, nullptr, {}});
  return fileAnswer_;
}

QColor RecordingPrompt::colour(QWidget* owner, const QColor&, const QString& title) {
  requests_.append(Request{Kind::Colour, owner, {}, title, QMessageBox::NoIcon, {}, nullptr, {}});
  return colourAnswer_;
}

void RecordingPrompt::AnswerOpenBoxesNo() {
  if (openBoxes_ > 0) answerNo_ = true;
}

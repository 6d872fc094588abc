#pragma once
// What the code definition page hands its tabs and dialogs: the main window
// (state, texts, prompt, command poster), the shared field check and the
// page itself. Made once the page is attached to the window.
#include <QMessageBox>
#include <QString>

class CConfigCodeDefinition;
class CVarnisDatamatrixDlg;
class FieldCheck;
struct MainDialogState;

struct CodeDefinitionContext {
  CVarnisDatamatrixDlg& dlg;
  FieldCheck& check;
  CConfigCodeDefinition& page;

  MainDialogState& state() const;
  QString text(int id) const;
  // A box owned by the main window; caption the language string captionId,
  // or the application title when captionId is 0.
  QMessageBox::StandardButton Message(int textId, int captionId, QMessageBox::Icon icon) const;
  // The code type's name in the status bar (part 4).
  void ShowCodeTypeInStatusBar(const QString& name) const;
};

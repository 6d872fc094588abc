#pragma once
// What the error presenter and the disconnect notice need from the main
// window: the state, the prompt, texts, owners and the after-box actions.
#include <QString>

#include "core/main_dialog_state.h"

class Prompt;
class QWidget;

class ErrorHost {
public:
  virtual ~ErrorHost() = default;
  virtual MainDialogState& state() = 0;
  virtual Prompt& prompt() = 0;
  virtual QString text(int id) const = 0;
  virtual const QString& messageTitle() const = 0;
  // The modal dialog in front, else the main window.
  virtual QWidget* messageOwner() = 0;
  // The window of the program in front (a box of any kind, else the main window).
  virtual QWidget* frontWindow() = 0;
  virtual QWidget* mainWindow() = 0;
  // The interface back to the disconnected state; ends the library's session.
  virtual void ResetUserInterface() = 0;
  // Shows the disconnect notice, which asks the worker to disconnect.
  virtual void ShowDisconnectNotice() = 0;
  virtual void PostSensorCommand(int command) = 0;
  virtual void EndProgram() = 0;
  virtual void ClearStatusPart(int part) = 0;
};

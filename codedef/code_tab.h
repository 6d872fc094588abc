#pragma once
// A code tab: tab 2 of the code definition page for one code family (Data
// Matrix ECC 200, PDF417, QR Code, Aztec Code, bar codes). The page makes
// one through the family factory (code_tab_factory.h) each time tab 2 is
// entered, queues the family's Get command, and hands the reply to
// ReadCodeData and ShowCodeData. docs/codedef.md tells how a family joins.
#include <QWidget>
#include <cstdint>

#include "code_definition_context.h"

class QLineEdit;

class CodeTab : public QWidget {
  Q_OBJECT
public:
  explicit CodeTab(CodeDefinitionContext& ctx, QWidget* parent = nullptr);

  // The family bit (CODE_FLAG_ECC200 ...) this tab edits.
  virtual std::uint8_t family() const = 0;
  virtual void LoadLanguageTexts() = 0;
  // The family's list of the last Get into the main window's settings block; 0 or -1.
  virtual int ReadCodeData() = 0;
  // The settings block into the controls (the reply to the Get command).
  virtual void ShowCodeData() = 0;
  // The controls into the settings block and its list, then the Set command
  // queued; 0 queued, else nothing queued and busy cleared.
  virtual int SendCodeData() = 0;
  // The whole tab before its data are sent: 0 valid, -1 invalid (the bad
  // field has the focus, its message shown).
  virtual int ValidateInput() = 0;
  // Live switches the controls off, Freeze on again.
  virtual void EnableControls(bool on) = 0;
  // The properties of the code at that index of the last reading (the
  // context menu's "Use code properties"); 2-D families only.
  virtual void UseCodeProperties(int /*resultIndex*/) {}
  // True when that code of the last reading is of this tab's kind and every
  // field takes its values as they stand (the menu item's state).
  virtual bool TakesCode(int /*resultIndex*/) const { return false; }
  // The teach button's state (the page's teach rule decides); 2-D families only.
  virtual void EnableTeach(bool /*on*/) {}
  // The sensor refused the tab's revert (2-D families only).
  virtual void RevertFailed() {}
  // The composite choice of the configuration just read (bar codes only).
  virtual void ShowCompositeSettings() {}

  // A field check failed and the user has not put it right: the page
  // brings this tab back before any other tab shows.
  bool errorPending() const { return errorPending_; }
  void setErrorPending(bool pending) { errorPending_ = pending; }

protected:
  // The tab's changes are not yet sent (m_bValidationFailed).
  void MarkChanged();
  // Connects every edit's and list's change of this tab to MarkChanged.
  void MarkChangesOf(const QList<QWidget*>& controls);

  CodeDefinitionContext& ctx_;
  bool errorPending_ = false;
  bool showing_ = false;  // the tab fills its controls itself: no change mark
};

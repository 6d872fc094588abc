// The main window's pieces that its features (state controller, commands)
// reach: its controls by id, the editor check, zoom leave, session dialogs.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include "core/code_types.h"
#include "window/dialog_control.h"
#include "window/main_window.h"

QPushButton* CVarnisDatamatrixDlg::wizardButton(int id) const {
  switch (id) {
    case 1026: return m_btnBack;
    case 1027: return m_btnEscape;
    case 1028: return m_btnNext;
    default: return nullptr;
  }
}

QLabel* CVarnisDatamatrixDlg::modeStatic(int id) const {
  switch (id) {
    case 1005: return m_mainBackground;
    case 1019: return m_modeStatics[0];
    case 1020: return m_modeStatics[1];
    case 1021: return m_modeStatics[2];
    default: return nullptr;
  }
}

QMenu* CVarnisDatamatrixDlg::popupOfText(int textId) const {
  for (auto it = m_menuTextIds.cbegin(); it != m_menuTextIds.cend(); ++it)
    if (it.value() == textId) return it.key();
  return nullptr;
}

int CVarnisDatamatrixDlg::ValidateEditorPage() {
  switch (m_state.m_nWizardStep) {
    case 7:
      return m_panels.trigger && m_panels.trigger->ValidateInput() != 0 ? -1 : 0;
    case 11: {
      auto& page = m_panels.codeDefinition;
      if (!page) return 0;
      if (page->ValidateInput() != 0) return -1;
      if (m_state.m_nCodeType >= 1 && m_state.m_bConfigModified && page->ValidateCodeTab() != 0) return -1;
      return 0;
    }
    default: return 0;
  }
}

// Whole on every way out, also when a caller cleared m_bZoomMode first: the
// step, the scroll bars and the zoom tool all go.
void CVarnisDatamatrixDlg::LeaveZoomMode() {
  if (m_panels.imageView) m_panels.imageView->ResetZoom();
  ResetPictureScroll();
  m_state.m_bZoomMode = false;
  if (m_dialogControl) m_dialogControl->SetZoomTool(0);
}

// The picture's one pair of scroll bars (the view's, with its corner piece).
void CVarnisDatamatrixDlg::ResetPictureScroll() {
  if (m_panels.imageView) m_panels.imageView->ShowScrollBars(false);
}

void CVarnisDatamatrixDlg::CloseSessionDialogs() {
  // Dialogs of the session still open (a page's own dialog, the colour
  // dialog...) close; the disconnect notice has its own rule.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(w);
    if (!dialog || !dialog->isVisible() || dialog == m_disconnectMesg.get()) continue;
    if (dialog->parentWidget() && dialog->parentWidget()->window() == this) dialog->reject();
  }
  m_hMessageOwner = nullptr;
}

void CVarnisDatamatrixDlg::ShowAddressPanel() {
  for (Panel* p : m_panels.pages()) p->widget()->hide();
  if (auto& panel = m_panels.connectionPanel) {
    panel->widget()->show();
    panel->widget()->raise();
    panel->firstOctet()->setFocus();
  }
}

QWidget* CVarnisDatamatrixDlg::ConnectionPanelOctet() const {
  const auto& panel = m_panels.connectionPanel;
  return panel && panel->widget()->isVisible() ? panel->firstOctet() : nullptr;
}

void CVarnisDatamatrixDlg::ClearResultRegions() {
  // The regions live with the image view; it forgets them with its code boxes.
  if (m_panels.imageView) m_panels.imageView->RemoveOverlaysOfKind(1);
}

int CVarnisDatamatrixDlg::StopLiveImage() {
  const int status = m_stopLiveImage ? m_stopLiveImage() : 0;
  m_state.m_bLiveImage = 0;
  return status;
}

bool CVarnisDatamatrixDlg::CopyMessageLog() {
  auto& log = m_panels.messageList;
  if (!log) return false;
  auto* list = qobject_cast<QListWidget*>(log->widget());
  if (list && list->selectedItems().isEmpty()) return false;
  QString all;
  for (int i = 0; i < log->count(); ++i) all += log->itemText(i);
  QApplication::clipboard()->setText(all);
  return true;
}

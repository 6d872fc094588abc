#include "window/image_mouse.h"

#include <QAction>
#include <QMouseEvent>
#include <QWidget>

#include "core/code_types.h"
#include "core/dialog_state_rules.h"
#include "core/picture_cursor.h"
#include "window/dialog_control.h"
#include "window/direct_call.h"
#include "window/main_window.h"

using namespace DialogIds;

namespace {
constexpr int kWoiKind = 0;
constexpr int kBoxKind = 1;
constexpr int kEdgeMargin = 20;  // a drag ends this close to the right or bottom edge while zoomed
}  // namespace

CImageMouse::CImageMouse(CVarnisDatamatrixDlg& dlg) : QObject(&dlg), dlg_(dlg) {}

void CImageMouse::Connect() {
  if (QAction* a = dlg_.action(kZoomIn)) connect(a, &QAction::triggered, this, &CImageMouse::OnZoomIn);
  if (QAction* a = dlg_.action(kZoomOut)) connect(a, &QAction::triggered, this, &CImageMouse::OnZoomOut);
  if (QAction* a = dlg_.action(kZoomReset)) connect(a, &QAction::triggered, this, &CImageMouse::OnZoomReset);
  if (auto& view = dlg_.panels().imageView) {
    picture_ = view->widget();
    picture_->installEventFilter(this);
    picture_->setMouseTracking(true);
  }
}

bool CImageMouse::Guarded() const {
  if (dlg_.state().m_bBusy) return true;
  return dlg_.state().m_bEditorOpen && dlg_.ValidateEditorPage() != 0;
}

void CImageMouse::OnZoomIn() {
  auto& view = dlg_.panels().imageView;
  if (Guarded() || !view) return;
  view->SetZoomToolActive(true);
  if (view->ZoomStep() < 5) dlg_.state().m_bZoomMode = true;
  dlg_.dialogControl().SetZoomTool(1);
}

void CImageMouse::OnZoomOut() {
  auto& view = dlg_.panels().imageView;
  if (Guarded() || !view || view->ZoomStep() == 0) return;
  view->SetZoomToolActive(true);
  dlg_.state().m_bZoomMode = true;
  dlg_.dialogControl().SetZoomTool(2);
}

void CImageMouse::OnZoomReset() {
  auto& view = dlg_.panels().imageView;
  if (Guarded() || !view) return;
  view->BlitToScreen();
  view->ResetZoom();
  view->ShowScrollBars(false);
  dlg_.state().m_bZoomMode = false;
  dlg_.ResetPictureScroll();
  dlg_.dialogControl().SetZoomTool(0);
}

QPoint CImageMouse::ToImage(QPoint control) const {
  auto& view = dlg_.panels().imageView;
  const QRect area = view->PictureArea();
  const QRect source = view->SourceRect();
  const double x = double(source.width()) / area.width() * (control.x() - area.left()) + source.left();
  const double y = double(source.height()) / area.height() * (control.y() - area.top()) + source.top();
  return {int(x), int(y)};
}

bool CImageMouse::Inside(QPoint control) const { return dlg_.panels().imageView->PictureArea().contains(control); }

bool CImageMouse::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched != picture_ || (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
                              type != QEvent::MouseButtonRelease))
    return QObject::eventFilter(watched, event);
  if (!dlg_.panels().imageView || dlg_.state().m_nSensorState == 6) return true;
  auto* mouse = static_cast<QMouseEvent*>(event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (mouse->button() == Qt::LeftButton) Press(mouse->position().toPoint());
      if (mouse->button() == Qt::RightButton) RightPress(mouse->position().toPoint());
      return true;
    case QEvent::MouseMove:
      Move(mouse->position().toPoint(), mouse->buttons() & Qt::LeftButton);
      return false;  // the result formatter's tooltip follows the pointer too
    case QEvent::MouseButtonRelease:
      if (mouse->button() == Qt::LeftButton) Release(mouse->position().toPoint());
      return true;
    default: return QObject::eventFilter(watched, event);
  }
}

void CImageMouse::Press(QPoint at) {
  if (!Inside(at)) return;
  MainDialogState& s = dlg_.state();
  auto& view = dlg_.panels().imageView;
  const int tool = dlg_.dialogControl().requests().zoomTool;
  if (s.m_bZoomMode && tool != 0 && !dragging_) {
    const QPoint p = ToImage(at);
    s.m_ptZoomCentre = {p.x(), p.y()};
    if (tool == 1)
      view->ZoomIn();
    else
      view->ZoomOut();
    view->UpdateSourceRect(1);
    const bool zoomed = view->ZoomFactor() > 1.01f;
    view->ShowScrollBars(zoomed);
    if (zoomed && dlg_.panels().balloon) dlg_.panels().balloon->RemoveTool(1074, at);
    return;
  }
  if (dragging_) return;
  const QPoint p = ToImage(at);
  int id = -1, kind = -1, code = 0;
  view->HitTestOverlays(p.x(), p.y(), &id, &kind, &code);
  if (id < 0) return;
  if (s.m_nWizardStep == 15) {
    int style = 0;
    if (view->GetOverlayStyle(id, &style) == 0) view->SetOverlayStyle(id, style == 1 ? 3 : 1);
  }
  const bool editing = s.m_bImageQualityView || s.m_bCodeDefinitionView;
  if (kind != kWoiKind || !editing || s.m_bBusy) return;
  dragging_ = true;
  dragId_ = id;
  dragCode_ = code;
  dragStart_ = view->WoiRect(id);
  pressImage_ = p;
}

void CImageMouse::Move(QPoint at, bool buttonDown) {
  auto& view = dlg_.panels().imageView;
  if (!Inside(at)) {
    // Leaving the picture ends the drag; a failed write waits for the mouse-up.
    if (dragMarked_ && !writeFailed_) WriteDrag();
    return;
  }
  if (!dragging_) ShowCursorAt(at);
  if (!dragging_ || !buttonDown) return;
  const QRect area = view->PictureArea();
  if (view->ZoomFactor() > 1.01f &&
      (at.x() > area.right() - kEdgeMargin || at.y() > area.bottom() - kEdgeMargin)) {
    dragging_ = false;
    return;
  }
  const QPoint p = ToImage(at);
  if (view->DragWoi(dragId_, dragCode_, dragStart_, p - pressImage_) == 0) dragMarked_ = true;
}

void CImageMouse::ShowCursorAt(QPoint at) {
  const MainDialogState& s = dlg_.state();
  auto& view = dlg_.panels().imageView;
  const QPoint p = ToImage(at);
  int id = -1, kind = -1, code = 0;
  view->HitTestOverlays(p.x(), p.y(), &id, &kind, &code);
  const bool editing = s.m_bImageQualityView || s.m_bCodeDefinitionView;
  switch (PictureCursorAt(dlg_.dialogControl().requests().zoomTool, s.m_bZoomMode, editing, id < 0 ? -1 : kind, code)) {
    case PictureCursor::ZoomIn: picture_->setCursor(dlg_.resources().cursor(3)); break;
    case PictureCursor::ZoomOut: picture_->setCursor(dlg_.resources().cursor(4)); break;
    case PictureCursor::SizeHorizontal: picture_->setCursor(Qt::SizeHorCursor); break;
    case PictureCursor::SizeVertical: picture_->setCursor(Qt::SizeVerCursor); break;
    case PictureCursor::SizeFallingDiagonal: picture_->setCursor(Qt::SizeFDiagCursor); break;
    case PictureCursor::SizeRisingDiagonal: picture_->setCursor(Qt::SizeBDiagCursor); break;
    case PictureCursor::Move: picture_->setCursor(Qt::SizeAllCursor); break;
    case PictureCursor::Arrow: picture_->setCursor(dlg_.resources().cursor(1)); break;
  }
}

void CImageMouse::Release(QPoint at) {
  MainDialogState& s = dlg_.state();
  auto& view = dlg_.panels().imageView;
  const int tool = dlg_.dialogControl().requests().zoomTool;
  if (s.m_bZoomMode && tool != 0 && view->ZoomFactor() <= 1.01f) dlg_.LeaveZoomMode();
  dragging_ = false;
  if (Inside(at) || dragMarked_) {
    if (dragMarked_) WriteDrag();
  }
}

void CImageMouse::WriteDrag() {
  ++writes_;
  const int result = writer_ ? RunDirectCall(dlg_.state(), writer_) : 0;
  if (result == 0) {
    dragMarked_ = false;
    writeFailed_ = false;
    return;
  }
  writeFailed_ = true;
  if (result != kDirectCallRefused) dlg_.errors().ShowError(result);
}

void CImageMouse::RightPress(QPoint at) {
  MainDialogState& s = dlg_.state();
  auto& panels = dlg_.panels();
  auto& view = panels.imageView;
  if (!s.m_bConnected || !Inside(at) || view->CountOverlaysOfKind(kBoxKind) == 0) return;
  const int region = view->ResultRegionAt(ToImage(at));
  if (region < 0) return;
  if (panels.balloon) panels.balloon->HideTip();
  const QPoint global = view->widget()->mapToGlobal(at);
  if (s.m_nWizardStep == 15 && panels.processInterface) {
    // No code menu while the output mode is off.
    if (!s.m_bOutputModeOff) panels.processInterface->ShowContextMenu(global, region);
  } else if (s.m_nWizardStep == 11 && panels.codeDefinition && s.m_nRecognitionMode == 2 &&
             (CodeTypeFlagsOf(s.m_nCodeType) & CODE_FLAG_2D)) {
    panels.codeDefinition->ShowContextMenu(global, s.m_nCodeType, region);
  }
}

#pragma once
// The mouse over the picture and the zoom buttons: zoom clicks with the
// zoom tools, the window of interest dragged and resized through the image
// view's overlay, the configuration written once when a drag ends, and the
// right-click menus of the code-definition and process-interface pages.
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <QRect>
#include <functional>

class CVarnisDatamatrixDlg;

class CImageMouse : public QObject {
  Q_OBJECT
public:
  explicit CImageMouse(CVarnisDatamatrixDlg& dlg);
  // Connects the zoom buttons and watches the picture control.
  void Connect();

  void OnZoomIn();
  void OnZoomOut();
  void OnZoomReset();

  // Writes the configuration with the dragged window of interest to the
  // sensor (the program plugs in the configuration writer and the library's
  // SetConfigData / SetConfigExtendedData); 0 on success.
  void setConfigWriter(std::function<int()> writer) { writer_ = std::move(writer); }
  bool dragMarked() const { return dragMarked_; }
  int writes() const { return writes_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QPoint ToImage(QPoint control) const;
  bool Inside(QPoint control) const;
  void Press(QPoint at);
  void Move(QPoint at, bool buttonDown);
  void Release(QPoint at);
  // The zoom tool's, a window-of-interest handle's or the arrow cursor.
  void ShowCursorAt(QPoint at);
  void RightPress(QPoint at);
  // The drag's write; a failure keeps the drag marked for the next mouse-up.
  void WriteDrag();
  bool Guarded() const;

  CVarnisDatamatrixDlg& dlg_;
  std::function<int()> writer_;
  QPointer<QWidget> picture_;
  bool dragMarked_ = false;    // the window of interest was dragged and is not yet written
  bool dragging_ = false;      // the button is down on a handle
  bool writeFailed_ = false;   // the last write failed: retry on mouse-up only
  int dragId_ = -1;
  int dragCode_ = 0;
  QRect dragStart_;
  QPoint pressImage_;
  int writes_ = 0;
};

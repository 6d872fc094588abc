#pragma once
// Picture control 1074: shows the image view's source rectangle of the
// picture in its 480 x 360 area, less the scroll bars while zoomed, drawing
// it when the view has a render pending (once per paint). The two
// picture scroll bars (1054 horizontal, 1002 vertical) lie along its bottom
// and right edges; the main window shows them while zoomed in.
#include <QWidget>

class QScrollBar;
class CDirectX;

class PictureControl : public QWidget {
  Q_OBJECT
public:
  static constexpr int kWidth = 480;
  static constexpr int kHeight = 360;

  PictureControl(CDirectX& view, QWidget* parent);

  QScrollBar* horizontalScrollBar() const { return hScroll_; }  // m_wndPictureHScroll
  QScrollBar* verticalScrollBar() const { return vScroll_; }    // m_wndPictureVScroll
  void showScrollBars(bool shown);
  // Where the surface is shown: the whole control, less the scroll bars'
  // extent while zoomed (also when they are hidden, so the mouse mapping and
  // the copy agree).
  QRect pictureArea() const;
  // Sets both scroll positions without taking them as a scroll.
  void setScrollPositions(int x, int y);
  int paintCount() const { return paints_; }
  // The view is going: paint nothing from now on.
  void detach() { view_ = nullptr; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void placeScrollBars();
  void scrolled();

  CDirectX* view_;
  QScrollBar* hScroll_;
  QScrollBar* vScroll_;
  QWidget* corner_;  // CScrollSideDlg: fills the corner between the two bars
  int paints_ = 0;
};

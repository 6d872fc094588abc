#pragma once
// The two background statics of the main window. CMainBckgndBmp stretches
// the top-left 147 x 611 of its bitmap over itself; the picture statics
// placed on it are its children and paint above it. CMonBckgndBmp is the
// area behind the picture in monitor operation: while the window asks for
// it (m_bRenderOnPaint) its painting renders the picture again.
#include <QPixmap>
#include <QWidget>
#include <functional>

class CMainBckgndBmp : public QWidget {
  Q_OBJECT
public:
  static constexpr int kSourceWidth = 147;
  static constexpr int kSourceHeight = 611;

  explicit CMainBckgndBmp(QWidget* parent = nullptr);
  void SetBitmap(const QPixmap& bitmap);
  const QPixmap& bitmap() const { return bitmap_; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QPixmap bitmap_;
};

class CMonBckgndBmp : public QWidget {
  Q_OBJECT
public:
  // renderOnPaint: the window's flag; render: the image view's Render.
  CMonBckgndBmp(std::function<bool()> renderOnPaint, std::function<void()> render, QWidget* parent = nullptr);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  std::function<bool()> renderOnPaint_;
  std::function<void()> render_;
};

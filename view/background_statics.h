#pragma once
// The two background statics of the main window. CMainBckgndBmp (control
// 1005) stretches the top-left 147 x 611 of its bitmap over itself; the mode
// statics placed on it are drawn after it, so they lie on top without copies.
// CMonBckgndBmp (control 1074) is the area behind the picture: while the
// window asks for it (m_bRenderOnPaint) its painting renders the picture again.
#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <functional>

#include "services/view_services.h"

class CMainBckgndBmp : public QLabel {
  Q_OBJECT
public:
  static constexpr int kSourceWidth = 147;
  static constexpr int kSourceHeight = 611;

  explicit CMainBckgndBmp(QWidget* parent = nullptr);
  // The same as setPixmap: the window's header look sets it that way.
  void SetBitmap(const QPixmap& bitmap) { setPixmap(bitmap); }

protected:
  void paintEvent(QPaintEvent* event) override;
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

// The window's service that makes them.
class WindowBackgrounds : public BackgroundStaticsService {
public:
  QLabel* MakeMainBackground(QWidget* parent) override { return new CMainBckgndBmp(parent); }
  QWidget* MakeMonitorBackground(QWidget* parent, std::function<bool()> renderOnPaint,
                                 std::function<void()> render) override {
    return new CMonBckgndBmp(std::move(renderOnPaint), std::move(render), parent);
  }
};

#pragma once
// A colour swatch: the client area filled with one colour inside a
// one-pixel black border.
#include <QWidget>
#include <cstdint>

class CColourStatic : public QWidget {
  Q_OBJECT
public:
  explicit CColourStatic(QWidget* parent = nullptr);

  void SetColour(std::uint32_t colour);
  std::uint32_t colour() const { return colour_; }
  QSize sizeHint() const override { return {40, 20}; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  std::uint32_t colour_ = 0;
};

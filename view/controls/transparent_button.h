#pragma once
// A button that shows a bitmap of the resource library with one colour left
// out: the parent shows through the pixels of that colour. An optional second
// bitmap is shown while the button is neither held nor under the pointer.
#include <QAbstractButton>
#include <QPixmap>
#include <cstdint>

class CTransparentButton : public QAbstractButton {
  Q_OBJECT
public:
  explicit CTransparentButton(QWidget* parent = nullptr);

  // Bitmaps by id of the resource library (second id 0: none). 0 on success,
  // 1 when a bitmap cannot be loaded, 2 when its mask cannot be made; on a
  // failure no bitmap is kept.
  int LoadBitmaps(int bitmapId, std::uint32_t transparent, int secondId = 0,
                  std::uint32_t secondTransparent = 0);
  // The same from pictures at hand.
  int SetBitmaps(const QPixmap& first, std::uint32_t transparent, const QPixmap& second = {},
                 std::uint32_t secondTransparent = 0);

  // Check-box mode: a click flips the checked state.
  void setCheckBoxMode(bool checkBox) { setCheckable(checkBox); }
  bool checkBoxMode() const { return isCheckable(); }

  bool hovered() const { return hovered_; }
  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

private:
  QPixmap first_;
  QPixmap second_;
  bool hovered_ = false;
};

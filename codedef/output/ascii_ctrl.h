#pragma once
// CAsciiCtrl: a table of byte values in up to three sections side by side
// (hexadecimal, decimal, character), three items a row, 15-pixel rows under
// an orange header, painted by itself. The ASCII editor shows codes 0..127
// in it; a click picks a code, hovering shows a tooltip expanded from a
// template ("%t" tab to four, "%n" new line, "%H" "%D" "%A" the value).
#include <QAbstractScrollArea>
#include <QFont>
#include <QString>

class CAsciiCtrl : public QAbstractScrollArea {
  Q_OBJECT
public:
  enum Style { kHex = 2, kDec = 4, kChar = 16 };
  static constexpr int kItemsPerRow = 3;
  static constexpr int kRowHeight = 15;
  static constexpr int kItemWidth = 51;
  static constexpr int kSectionWidth = 152;
  static constexpr int kShownItems = 128;  // the items past code 127 hold 0 and are not shown

  explicit CAsciiCtrl(QWidget* parent = nullptr);

  void SetData(const unsigned char* values, int count);
  void SetStyle(int bits);
  void SetToolTipTemplate(const QString& text);
  // Section titles (hexadecimal, decimal, character) and the header's face.
  void SetHeader(const QString& hex, const QString& dec, const QString& chr, const QString& face);

  int selectedItem() const { return selected_; }
  int firstVisibleItem() const;
  // The item under a point of the viewport; -1 for none.
  int ItemAt(QPoint p) const;
  // The rectangle of the item's cell in a section (0 hex, 1 dec, 2 char), viewport coordinates.
  QRect CellRect(int item, int section) const;
  QString ToolTipText(int item) const;
  int visibleRows() const;

signals:
  void itemClicked(int item);

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;

private:
  int Value(int item) const;
  int SectionCount() const;
  void UpdateScrollRange();

  const unsigned char* values_ = nullptr;
  int count_ = 0;
  int style_ = kHex | kDec | kChar;
  int selected_ = -1;
  int hovered_ = -1;
  QString template_;
  QString titles_[3];
  QFont headerFont_;
  QFont cellFont_;
};

#pragma once
// The editor laid over a grid cell while it is edited: digits only, at most
// three. It ends on focus loss, on Escape (text restored) and on the
// navigation keys when it was not started by the mouse, reports the end to
// its grid and deletes itself.
#include <QLineEdit>
#include <QPointer>

class CGridCtrl;

class CInPlaceEdit : public QLineEdit {
  Q_OBJECT

 public:
  CInPlaceEdit(CGridCtrl* grid, const QRect& rect, Qt::Alignment alignment, int id, int row,
               int col, const QString& text, unsigned nFirstChar);

  // Reports the text to the grid once and closes the editor.
  void EndEdit();
  // Types one character as if the user had (the grid hands on keys this way).
  void TypeChar(unsigned ch);
  // The grid is going away: report nothing to it any more.
  void Detach() { m_pGrid = nullptr; }

  int GetRow() const { return m_nRow; }
  int GetColumn() const { return m_nColumn; }
  unsigned GetLastChar() const { return m_nLastChar; }
  bool ExitsOnArrows() const { return m_bExitOnArrows; }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void LeaveToGrid(unsigned key);
  void WidenToText();

  QPointer<CGridCtrl> m_pGrid;
  int m_nId;
  int m_nRow;
  int m_nColumn;
  QString m_sInitText;
  unsigned m_nLastChar = 0;
  bool m_bExitOnArrows;
  bool m_bExitingEdit = false;
  QRect m_Rect;
};

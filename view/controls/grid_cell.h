#pragma once
// The cells of CGridCtrl: a cell keeps its text and looks; whatever it leaves
// unset (format, margin, font, colours) comes from the grid's default cell
// that matches its fixed-row and fixed-column bits.
#include "controls/colorref.h"
#include "controls/grid_types.h"

#include <QFont>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <optional>

class QPainter;
class CGridCtrl;
class CGridDefaultCell;
class CInPlaceEdit;

class CGridCellBase {
 public:
  CGridCellBase() = default;
  CGridCellBase(const CGridCellBase&) = delete;
  CGridCellBase& operator=(const CGridCellBase&) = delete;
  virtual ~CGridCellBase() = default;

  virtual void SetText(const QString& text) = 0;
  virtual void SetData(qintptr) {}
  virtual void SetState(std::uint32_t state) { m_nState = state; }
  virtual void SetFormat(std::uint32_t format) = 0;
  virtual void SetTextColour(COLORREF colour) = 0;
  virtual void SetBackColour(COLORREF colour) = 0;
  virtual void SetFont(const QFont* font) = 0;
  virtual void SetMargin(std::uint32_t margin) = 0;
  virtual void SetGrid(CGridCtrl* grid) = 0;

  virtual QString GetText() const = 0;
  virtual qintptr GetData() const { return 0; }
  virtual std::uint32_t GetState() const { return m_nState; }
  virtual std::uint32_t GetFormat() const = 0;
  virtual COLORREF GetTextColour() const = 0;
  virtual COLORREF GetBackColour() const = 0;
  // The cell's font, or the default cell's when it has none of its own.
  virtual QFont GetFont() const = 0;
  virtual CGridCtrl* GetGrid() const = 0;
  virtual std::uint32_t GetMargin() const = 0;
  virtual bool IsDefaultFont() const = 0;
  virtual bool IsEditing() const = 0;

  // The grid's default cell for this cell's fixed bits; null without a grid.
  const CGridDefaultCell* GetDefaultCell() const;

  bool IsFocused() const { return GetState() & CellStateFlags::kFocused; }
  bool IsHighlighted() const { return GetState() & CellStateFlags::kHighlighted; }
  bool IsFixed() const { return GetState() & CellStateFlags::kFixed; }
  bool IsFixedCol() const { return GetState() & CellStateFlags::kFixedCol; }
  bool IsFixedRow() const { return GetState() & CellStateFlags::kFixedRow; }
  bool IsSelected() const { return GetState() & CellStateFlags::kSelected; }
  bool IsReadOnly() const { return GetState() & CellStateFlags::kReadOnly; }

  virtual bool Edit(int /*row*/, int /*col*/, const GridRect& /*rect*/, QPoint /*point*/,
                    int /*id*/, unsigned /*nChar*/) {
    return false;
  }
  virtual void EndEdit() {}
  virtual void OnEndEdit() {}
  virtual void OnRClick(QPoint /*pointInCell*/) {}
  virtual bool CheckEditedText(const QString& /*text*/) { return true; }

  // Draws the cell into rect (right and bottom exclusive); FALSE when
  // nothing could be drawn.
  virtual bool Draw(QPainter& painter, int row, int col, GridRect rect, bool erase);

  virtual void Reset() { m_nState = 0; }

 private:
  std::uint32_t m_nState = 0;
};

class CGridCell : public CGridCellBase {
 public:
  CGridCell() { CGridCell::Reset(); }

  void SetText(const QString& text) override { m_strText = text; }
  void SetData(qintptr data) override { m_lParam = data; }
  void SetFormat(std::uint32_t format) override { m_nFormat = format; }
  void SetTextColour(COLORREF colour) override { m_crFgClr = colour; }
  void SetBackColour(COLORREF colour) override { m_crBkClr = colour; }
  void SetFont(const QFont* font) override;
  void SetMargin(std::uint32_t margin) override { m_nMargin = margin; }
  void SetGrid(CGridCtrl* grid) override { m_pGrid = grid; }

  QString GetText() const override { return m_strText; }
  qintptr GetData() const override { return m_lParam; }
  std::uint32_t GetFormat() const override;
  COLORREF GetTextColour() const override { return m_crFgClr; }
  COLORREF GetBackColour() const override { return m_crBkClr; }
  QFont GetFont() const override;
  CGridCtrl* GetGrid() const override { return m_pGrid; }
  std::uint32_t GetMargin() const override;
  bool IsDefaultFont() const override { return !m_font.has_value(); }
  bool IsEditing() const override { return m_bEditing; }

  bool Edit(int row, int col, const GridRect& rect, QPoint point, int id,
            unsigned nChar) override;
  void EndEdit() override;
  void OnEndEdit() override;

  void Reset() override;

 protected:
  QString m_strText;
  qintptr m_lParam = 0;  // kept across Reset; nothing reads it
  std::uint32_t m_nFormat = CellFormat::kUnset;
  COLORREF m_crFgClr = CLR_DEFAULT;
  COLORREF m_crBkClr = CLR_DEFAULT;
  std::optional<QFont> m_font;
  std::uint32_t m_nMargin = CellFormat::kUnset;
  CGridCtrl* m_pGrid = nullptr;
  bool m_bEditing = false;
  QPointer<CInPlaceEdit> m_pEditWnd;  // the editor deletes itself
};

// One of the grid's four default cells: always read-only, it measures the
// size new rows and columns get from its font.
class CGridDefaultCell : public CGridCell {
 public:
  CGridDefaultCell();

  void SetData(qintptr) override {}
  void SetState(std::uint32_t) override {}
  std::uint32_t GetState() const override {
    return CGridCell::GetState() | CellStateFlags::kReadOnly;
  }
  std::uint32_t GetFormat() const override { return m_nFormat; }
  std::uint32_t GetMargin() const override { return m_nMargin; }
  QFont GetFont() const override { return m_font.value_or(QFont()); }
  // Takes the font and re-measures margin, width and height with it; a null
  // font changes nothing.
  void SetFont(const QFont* font) override;

  int GetWidth() const { return m_Size.width; }
  int GetHeight() const { return m_Size.height; }
  void SetWidth(int width) { m_Size.width = width; }
  void SetHeight(int height) { m_Size.height = height; }

 private:
  struct {
    int width = 30;
    int height = 10;
  } m_Size;
};

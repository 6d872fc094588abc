#pragma once
// CGridCtrl: the program's table control. A rectangle of text cells with
// optional fixed header rows and columns, drawn by itself, scrolled, selected
// by mouse and keys under its owner's rules, and edited in place. The owner
// shapes it through the operations below, sets its mouse mode and role, and
// answers its notifications through one handler.
#include "controls/colorref.h"
#include "controls/grid_cell.h"
#include "controls/grid_types.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QKeyEvent;
class QPainter;

class CGridCtrl : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0,
                     QWidget* parent = nullptr);
  ~CGridCtrl() override;

  // --- Set by the owner ---
  int m_MouseMode = GridMouseMode::kNone;
  GridOwnerRole m_OwnerRole = GridOwnerRole::Other;
  void SetNotifyHandler(GridNotifyHandler handler) { m_notify = std::move(handler); }
  // The main window's busy flag: keys move nothing while it is set.
  void SetBusyQuery(std::function<bool()> busy) { m_busy = std::move(busy); }
  // Drawn at the end of each paint of the function-test grid while shown()
  // returns 1 (the stored-image thumbnails).
  void SetThumbnailPainter(std::function<int()> shown, std::function<void(QPainter&)> draw);

  // --- Shape ---
  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  int GetFixedRowCount() const { return m_nFixedRows; }
  int GetFixedColumnCount() const { return m_nFixedCols; }
  bool SetRowCount(int nRows);
  bool SetColumnCount(int nCols);
  bool SetFixedRowCount(int nFixedRows);
  bool SetFixedColumnCount(int nFixedCols);
  bool SetRowHeight(int row, int height);
  bool SetColumnWidth(int col, int width);
  int GetRowHeight(int row) const;
  int GetColumnWidth(int col) const;
  int GetFixedRowHeight() const;
  int GetFixedColumnWidth() const;
  int InsertRow(const QString& heading, int before = -1);
  bool DeleteRow(int row);

  // --- Cells ---
  CGridCellBase* GetCell(int row, int col) const;
  CGridDefaultCell* GetDefaultCell(bool fixedRow, bool fixedCol);
  const CGridDefaultCell* GetDefaultCell(bool fixedRow, bool fixedCol) const;
  // Makes the cells of new rows and columns; null makes no cell there.
  void SetCellFactory(std::function<std::unique_ptr<CGridCellBase>()> factory);
  bool IsValid(int row, int col) const {
    return row >= 0 && row < m_nRows && col >= 0 && col < m_nCols;
  }
  bool IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }

  bool SetCellText(int row, int col, const QString& text);
  bool SetCellTextNarrow(int row, int col, const char* utf8);
  QString GetCellText(int row, int col) const;
  void ClearCellTexts();
  bool SetCellFormat(int row, int col, std::uint32_t format);
  bool SetCellBackColor(int row, int col, COLORREF colour);
  bool SetCellTextColor(int row, int col, COLORREF colour);
  int SetCellFont(int row, int col, const QFont& font);
  bool SetRowsBackColor(COLORREF colour);
  bool SetCellState(int row, int col, std::uint32_t state);
  std::uint32_t GetCellState(int row, int col) const;
  bool IsCellFixed(int row, int col) const { return row < m_nFixedRows || col < m_nFixedCols; }
  bool IsCellSelected(int row, int col) const;
  void ClearSelection();
  int GetSelectedRow() const;
  int CountFilledRows() const;
  // The texts of columns 0 to 3 of every filled row below the header, in
  // order; FALSE when there is none.
  bool CopyRowsToRecords(std::vector<GridRowRecord>& records) const;
  // The same for the selected row when it is a filled row; FALSE and
  // nothing written otherwise.
  bool CopySelectedRowToRecord(GridRowRecord& record) const;
  CCellID GetFocusCell() const { return m_idCurrentCell; }
  CCellID GetSelectionStart() const { return m_idSelectionStart; }

  // --- Looks ---
  void SetGridLines(int mode) { m_nGridLines = mode; Refresh(); }
  int GetGridLines() const { return m_nGridLines; }
  COLORREF GetGridLineColor() const { return m_crGridColour; }
  void SetEditable(bool editable) { m_bEditable = editable; }
  bool IsEditable() const { return m_bEditable; }
  void EnableSelection(bool enable) { m_bEnableSelection = enable; }
  void SetFixedColumnSelection(bool allow) { m_bFixedColumnSelection = allow; }
  // Kept for the owners; Qt paints through a back buffer anyway.
  void SetDoubleBuffering(bool on) { m_bDoubleBuffer = on; }
  void SetFrameFocusCell(bool on) { m_bFrameFocus = on; }
  bool GetFrameFocusCell() const { return m_bFrameFocus; }
  // While off nothing paints, bars are not reset, refreshes are skipped.
  void SetRedraw(bool allow, bool resetScrollBars = false);
  // The font of the normal default cell.
  QFont GetFont() const;
  // System colours as the grid last read them from its palette.
  COLORREF SystemColour(QPalette::ColorRole role) const;

  // --- Geometry and scrolling ---
  bool GetCellRect(int row, int col, GridRect* rect) const;
  bool GetCellTopLeft(int row, int col, QPoint* point) const;
  CCellID GetCellAtPoint(QPoint point) const;
  CCellID GetFirstScrollableCell(bool force = false) const;
  struct CellRange {
    int minRow = -1, minCol = -1, maxRow = -1, maxCol = -1;
  };
  CellRange GetVisibleCellRange(GridRect* rect = nullptr, bool force = false) const;
  bool IsCellVisible(int row, int col) const;
  void InvalidateCell(int row, int col);
  bool RedrawCell(int row, int col);
  void Refresh();
  // bar: 0 horizontal, 1 vertical.
  void SetScrollPosition(int bar, int pos, bool redraw = true);
  int GetScrollPos32(int bar, bool thumb = false) const;
  int GetScrollMaximum(int bar) const { return bar == 0 ? m_nHScrollMax : m_nVScrollMax; }
  // bar: 0 horizontal, 1 vertical, 3 both.
  void ShowScrollBars(int bar, bool show);
  bool IsScrollBarShown(int bar) const { return m_nBarState & (bar == 0 ? 1 : 2); }
  void ScrollCellIntoView(int row, int col);
  void ResetScrollBars();
  void OnVScroll(int code);
  void OnHScroll(int code);

  // --- Selection ---
  void SelectCellRange(int r1, int c1, int r2, int c2, bool redrawNow, bool select);
  void SetSelectedFilledRowRange(int r1, int c1, int r2, int c2, bool redrawNow, bool select);
  void SetSelectedClickableRange(int r1, int c1, int r2, int c2, bool redrawNow, bool select);
  void ClearSelectedRange();
  void ApplyMouseMode(CCellID cell);
  // Moves the current cell as a key-down of that key would; FALSE when the
  // key goes to the default handling.
  bool HandleKey(unsigned key, bool shift);
  // An arrow key pressed on another widget of the owner's page goes to the
  // grid: true when it was handed over (the owner's filter swallows it).
  bool TakeArrowKey(QObject* watched, QKeyEvent* key);

  // --- Notifications ---
  int SendNotify(int code, int row, int col);
  // The in-place editor reports the end of its edit here.
  int OnEndInPlaceEdit(const GridDisplayInfo& info);

  // --- Overridable steps ---
  virtual void OnFixedCellClick(CCellID& cell);
  virtual void BeginCellEdit(int row, int col, QPoint point, unsigned nChar);
  virtual void FinishCellEdit(int row, int col, const QString& text);
  virtual bool CheckEditedText(int row, int col, const QString& text);
  virtual void StopEditing();
  virtual void OnDraw(QPainter& painter, const QRect& clip);
  virtual std::unique_ptr<CGridCellBase> CreateCell(int row, int col);
  virtual void DestroyCell(int row, int col);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  using Row = std::vector<std::unique_ptr<CGridCellBase>>;

  void EraseBackground(QPainter& painter, const QRect& clip);
  void MarkFixedCells(bool rows, int oldFixed, int newFixed);
  void OnScroll(bool vertical, int code);
  void OnBarAction(bool vertical, int action);
  void SetBarPos(bool vertical, int pos);
  CCellID FirstScrollableCellAt(int hPos, int vPos) const;
  void OnLeftButton(QPoint point, bool doubleClick);
  void ApplyCellSelection(int r1, int c1, int r2, int c2, bool redrawNow, bool select,
                          int variant);
  void OnSysColorChange();
  void OnSetFont(const QFont& font);
  void ReadSystemColours();
  int ClientWidth() const;
  int ClientHeight() const;

  // Scroll maxima as the bars' ranges count them (page included).
  int m_nVScrollMax = 0;
  int m_nHScrollMax = 0;
  COLORREF m_crGridColour = 0xC0C0C0;
  COLORREF m_crWindowText = 0;
  COLORREF m_crWindowColour = 0;
  COLORREF m_cr3DFace = 0;
  COLORREF m_crShadow = 0;
  int m_nGridLines = 3;  // 0 none, 1 horizontal, 2 vertical, 3 both
  int m_nBarState = 0;   // bit 0 horizontal bar shown, bit 1 vertical
  bool m_bEditable = true;
  bool m_bAllowDraw = true;
  bool m_bEnableSelection = true;
  bool m_bFixedColumnSelection = true;
  bool m_bDoubleBuffer = true;
  bool m_bFrameFocus = true;
  bool m_bInResize = false;
  bool m_bShownOnce = false;
  bool m_bDestroying = false;
  int m_nRows = 0;
  int m_nFixedRows = 0;
  int m_nCols = 0;
  int m_nFixedCols = 0;
  std::vector<int> m_arRowHeights;
  std::vector<int> m_arColWidths;
  std::function<std::unique_ptr<CGridCellBase>()> m_cellFactory;
  CGridDefaultCell m_cellDefault;
  CGridDefaultCell m_cellFixedColDef;
  CGridDefaultCell m_cellFixedRowDef;
  CGridDefaultCell m_cellFixedRowColDef;
  std::vector<Row> m_RowData;
  CCellID m_idSelectionStart;
  CCellID m_idCurrentCell;
  CCellID m_idEditCell;  // the cell of the open in-place edit
  // The top-left non-fixed cell, with the bar positions it was found for.
  mutable CCellID m_idTopLeftCell;
  mutable int m_nTopLeftHPos = -1;
  mutable int m_nTopLeftVPos = -1;
  std::map<std::uint32_t, CCellID> m_SelectedCellMap;
  GridNotifyHandler m_notify;
  std::function<bool()> m_busy;
  std::function<int()> m_thumbnailsShown;
  std::function<void(QPainter&)> m_drawThumbnails;
};

// CGridCtrl: construction, rows and columns, cell attributes, the row copies
// and notifications. Painting and scrolling: grid_paint.cpp; selection and
// mouse: grid_select.cpp; keys: grid_keys.cpp; in-place edits: grid_edit.cpp.
#include "controls/grid_ctrl.h"

#include "controls/in_place_edit.h"

#include <QEvent>
#include <QScrollBar>
#include <algorithm>

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols, QWidget* parent)
    : QAbstractScrollArea(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setAutoFillBackground(false);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int action) { OnBarAction(true, action); });
  connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int action) { OnBarAction(false, action); });
  connect(verticalScrollBar(), &QAbstractSlider::sliderReleased, this,
          [this] { OnVScroll(ScrollCode::kEndScroll); });
  connect(horizontalScrollBar(), &QAbstractSlider::sliderReleased, this,
          [this] { OnHScroll(ScrollCode::kEndScroll); });

  ReadSystemColours();
  CGridDefaultCell* defaults[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef,
                                  &m_cellFixedRowColDef};
  for (CGridDefaultCell* def : defaults) {
    def->SetGrid(this);
    def->SetTextColour(m_crWindowText);
    def->SetBackColour(def == &m_cellDefault ? m_crWindowColour : m_cr3DFace);
  }
  m_cellFactory = [] { return std::make_unique<CGridCell>(); };
  SetRowCount(nRows);
  SetColumnCount(nCols);
  SetFixedRowCount(nFixedRows);
  SetFixedColumnCount(nFixedCols);
}

CGridCtrl::~CGridCtrl() {
  m_bDestroying = true;
  // An open editor outlives this body as a child widget: cut it loose first.
  for (CInPlaceEdit* edit : viewport()->findChildren<CInPlaceEdit*>()) {
    edit->Detach();
    delete edit;
  }
  for (int r = 0; r < m_nRows; ++r)
    for (int c = 0; c < m_nCols; ++c) DestroyCell(r, c);
}

void CGridCtrl::SetThumbnailPainter(std::function<int()> shown,
                                    std::function<void(QPainter&)> draw) {
  m_thumbnailsShown = std::move(shown);
  m_drawThumbnails = std::move(draw);
}

void CGridCtrl::SetCellFactory(std::function<std::unique_ptr<CGridCellBase>()> factory) {
  m_cellFactory = std::move(factory);
}

// --- Rows and columns ---

std::unique_ptr<CGridCellBase> CGridCtrl::CreateCell(int row, int col) {
  std::unique_ptr<CGridCellBase> cell = m_cellFactory ? m_cellFactory() : nullptr;
  if (!cell) return nullptr;
  cell->SetGrid(this);
  std::uint32_t state = cell->GetState();
  if (col < m_nFixedCols) state |= CellStateFlags::kFixed | CellStateFlags::kFixedCol;
  if (row < m_nFixedRows) state |= CellStateFlags::kFixed | CellStateFlags::kFixedRow;
  cell->SetState(state);
  if (const CGridDefaultCell* def = cell->GetDefaultCell()) cell->SetFormat(def->GetFormat());
  return cell;
}

void CGridCtrl::DestroyCell(int row, int col) {
  if (!GetCell(row, col)) return;
  SetCellState(row, col, 0);
  m_RowData[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].reset();
}

bool CGridCtrl::SetRowCount(int nRows) {
  if (nRows < 0) return false;
  StopEditing();
  if (nRows == m_nRows) return true;
  const int oldRows = m_nRows;
  if (nRows < m_nFixedRows) m_nFixedRows = nRows;
  if (nRows < oldRows) {
    for (int r = nRows; r < oldRows; ++r)
      for (int c = 0; c < m_nCols; ++c) DestroyCell(r, c);
  }
  m_nRows = nRows;
  m_RowData.resize(static_cast<std::size_t>(nRows));
  m_arRowHeights.resize(static_cast<std::size_t>(nRows), m_cellDefault.GetHeight());
  for (int r = oldRows; r < nRows; ++r) {
    Row& row = m_RowData[static_cast<std::size_t>(r)];
    row.resize(static_cast<std::size_t>(m_nCols));
    for (int c = 0; c < m_nCols; ++c) row[static_cast<std::size_t>(c)] = CreateCell(r, c);
  }
  if (m_idCurrentCell.row >= nRows) m_idCurrentCell = {};
  ResetScrollBars();
  Refresh();
  return true;
}

bool CGridCtrl::SetColumnCount(int nCols) {
  if (nCols < 0) return false;
  StopEditing();
  if (nCols == m_nCols) return true;
  const int oldCols = m_nCols;
  if (nCols < m_nFixedCols) m_nFixedCols = nCols;
  if (nCols < oldCols) {
    for (int r = 0; r < m_nRows; ++r)
      for (int c = nCols; c < oldCols; ++c) DestroyCell(r, c);
  }
  m_nCols = nCols;
  m_arColWidths.resize(static_cast<std::size_t>(nCols), m_cellFixedColDef.GetWidth());
  for (int r = 0; r < m_nRows; ++r) {
    Row& row = m_RowData[static_cast<std::size_t>(r)];
    row.resize(static_cast<std::size_t>(nCols));
    for (int c = oldCols; c < nCols; ++c) row[static_cast<std::size_t>(c)] = CreateCell(r, c);
  }
  if (m_idCurrentCell.col >= nCols) m_idCurrentCell = {};
  ResetScrollBars();
  Refresh();
  return true;
}

bool CGridCtrl::SetFixedRowCount(int nFixedRows) {
  if (nFixedRows < 0) return false;
  if (nFixedRows == m_nFixedRows) return true;
  ClearSelectedRange();
  if (nFixedRows > m_nRows && !SetRowCount(nFixedRows)) return false;
  const int oldFixed = m_nFixedRows;
  m_nFixedRows = nFixedRows;
  MarkFixedCells(true, oldFixed, nFixedRows);
  return true;
}

bool CGridCtrl::SetFixedColumnCount(int nFixedCols) {
  if (nFixedCols < 0) return false;
  if (nFixedCols == m_nFixedCols) return true;
  ClearSelectedRange();
  if (nFixedCols > m_nCols && !SetColumnCount(nFixedCols)) return false;
  const int oldFixed = m_nFixedCols;
  m_nFixedCols = nFixedCols;
  MarkFixedCells(false, oldFixed, nFixedCols);
  return true;
}

// Rows (columns) between the old and new fixed count gain or lose their
// fixed bits, and take the default colours either way.
void CGridCtrl::MarkFixedCells(bool rows, int oldFixed, int newFixed) {
  const std::uint32_t own = rows ? CellStateFlags::kFixedRow : CellStateFlags::kFixedCol;
  for (int i = std::min(oldFixed, newFixed); i < std::max(oldFixed, newFixed); ++i) {
    const int across = rows ? m_nCols : m_nRows;
    for (int j = 0; j < across; ++j) {
      const int row = rows ? i : j, col = rows ? j : i;
      CGridCellBase* cell = GetCell(row, col);
      if (!cell) continue;
      const bool fixedOtherWay = rows ? col < m_nFixedCols : row < m_nFixedRows;
      std::uint32_t state = cell->GetState();
      if (i < newFixed)
        state |= CellStateFlags::kFixed | own;
      else
        state &= ~(fixedOtherWay ? own : CellStateFlags::kFixed | own);
      cell->SetState(state);
      cell->SetTextColour(CLR_DEFAULT);
      cell->SetBackColour(CLR_DEFAULT);
    }
  }
  m_idTopLeftCell = {};
  ResetScrollBars();
  Refresh();
}

bool CGridCtrl::SetRowHeight(int row, int height) {
  if (row < 0 || row >= m_nRows || height < 0) return false;
  m_arRowHeights[static_cast<std::size_t>(row)] = height;
  ResetScrollBars();
  return true;
}

bool CGridCtrl::SetColumnWidth(int col, int width) {
  if (col < 0 || col >= m_nCols || width < 0) return false;
  m_arColWidths[static_cast<std::size_t>(col)] = width;
  ResetScrollBars();
  return true;
}

int CGridCtrl::GetRowHeight(int row) const {
  return row >= 0 && row < m_nRows ? m_arRowHeights[static_cast<std::size_t>(row)] : -1;
}

int CGridCtrl::GetColumnWidth(int col) const {
  return col >= 0 && col < m_nCols ? m_arColWidths[static_cast<std::size_t>(col)] : -1;
}

int CGridCtrl::GetFixedRowHeight() const {
  int height = 0;
  for (int r = 0; r < m_nFixedRows; ++r) height += GetRowHeight(r);
  return height;
}

int CGridCtrl::GetFixedColumnWidth() const {
  int width = 0;
  for (int c = 0; c < m_nFixedCols; ++c) width += GetColumnWidth(c);
  return width;
}

int CGridCtrl::InsertRow(const QString& heading, int before) {
  if (before >= 0 && (before < m_nFixedRows || before >= m_nRows)) return -1;
  StopEditing();
  ClearSelectedRange();
  if (m_nCols == 0) SetColumnCount(1);
  const int row = before < 0 ? m_nRows : before;
  const auto at = static_cast<std::ptrdiff_t>(row);
  m_RowData.insert(m_RowData.begin() + at, Row(static_cast<std::size_t>(m_nCols)));
  // Owners set the heights of their rows after inserting them.
  m_arRowHeights.insert(m_arRowHeights.begin() + at, m_cellFixedRowDef.GetHeight());
  ++m_nRows;
  Row& cells = m_RowData[static_cast<std::size_t>(row)];
  for (int c = 0; c < m_nCols; ++c) cells[static_cast<std::size_t>(c)] = CreateCell(row, c);
  SetCellText(row, 0, heading);
  if (m_idCurrentCell.row != -1 && row < m_idCurrentCell.row) ++m_idCurrentCell.row;
  ResetScrollBars();
  return row;
}

bool CGridCtrl::DeleteRow(int row) {
  if (row < 0 || row >= m_nRows) return false;
  StopEditing();
  ClearSelectedRange();
  for (int c = 0; c < m_nCols; ++c) DestroyCell(row, c);
  m_RowData.erase(m_RowData.begin() + row);
  m_arRowHeights.erase(m_arRowHeights.begin() + row);
  --m_nRows;
  if (row < m_nFixedRows) --m_nFixedRows;
  if (m_idCurrentCell.row == row)
    m_idCurrentCell = {};
  else if (m_idCurrentCell.row > row)
    --m_idCurrentCell.row;
  ResetScrollBars();
  return true;
}

// --- Cells ---

CGridCellBase* CGridCtrl::GetCell(int row, int col) const {
  if (!IsValid(row, col)) return nullptr;
  return m_RowData[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].get();
}

const CGridDefaultCell* CGridCtrl::GetDefaultCell(bool fixedRow, bool fixedCol) const {
  if (fixedRow && fixedCol) return &m_cellFixedRowColDef;
  if (fixedRow) return &m_cellFixedRowDef;
  if (fixedCol) return &m_cellFixedColDef;
  return &m_cellDefault;
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(bool fixedRow, bool fixedCol) {
  return const_cast<CGridDefaultCell*>(std::as_const(*this).GetDefaultCell(fixedRow, fixedCol));
}

bool CGridCtrl::SetCellText(int row, int col, const QString& text) {
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetText(text);
  return true;
}

bool CGridCtrl::SetCellTextNarrow(int row, int col, const char* utf8) {
  return SetCellText(row, col, QString::fromUtf8(utf8 ? utf8 : ""));
}

QString CGridCtrl::GetCellText(int row, int col) const {
  const CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetText() : QString();
}

void CGridCtrl::ClearCellTexts() {
  for (int r = 1; r < m_nRows; ++r)
    for (int c = 0; c < m_nCols; ++c) SetCellText(r, c, QString());
  Refresh();
}

bool CGridCtrl::SetCellFormat(int row, int col, std::uint32_t format) {
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetFormat(format);
  return true;
}

bool CGridCtrl::SetCellBackColor(int row, int col, COLORREF colour) {
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetBackColour(colour);
  return true;
}

bool CGridCtrl::SetCellTextColor(int row, int col, COLORREF colour) {
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetTextColour(colour);
  return true;
}

int CGridCtrl::SetCellFont(int row, int col, const QFont& font) {
  if (CGridCellBase* cell = GetCell(row, col)) cell->SetFont(&font);
  return 0;
}

bool CGridCtrl::SetRowsBackColor(COLORREF colour) {
  for (int r = 1; r < m_nRows - 1; ++r)
    for (int c = 0; c < m_nCols; ++c) SetCellBackColor(r, c, colour);
  return true;
}

std::uint32_t CGridCtrl::GetCellState(int row, int col) const {
  const CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetState() : 0;
}

int CGridCtrl::CountFilledRows() const {
  int count = 0;
  for (int r = 1; r < m_nRows; ++r) {
    if (!GetCellText(r, 0).isEmpty() || (m_nCols >= 2 && !GetCellText(r, m_nCols - 1).isEmpty()))
      ++count;
  }
  return count;
}

namespace {
GridRowRecord recordOf(const CGridCtrl& grid, int row) {
  GridRowRecord record;
  for (int c = 0; c < 4; ++c) record[static_cast<std::size_t>(c)] = grid.GetCellText(row, c);
  return record;
}
bool isFilledRow(const CGridCtrl& grid, int row) {
  const int cols = grid.GetColumnCount();
  return !grid.GetCellText(row, 0).isEmpty() ||
         (cols >= 2 && !grid.GetCellText(row, cols - 1).isEmpty());
}
}  // namespace

bool CGridCtrl::CopyRowsToRecords(std::vector<GridRowRecord>& records) const {
  bool copied = false;
  for (int r = 1; r < m_nRows; ++r) {
    if (!isFilledRow(*this, r)) continue;
    records.push_back(recordOf(*this, r));
    copied = true;
  }
  return copied;
}

bool CGridCtrl::CopySelectedRowToRecord(GridRowRecord& record) const {
  const int row = GetSelectedRow();
  if (row < 1 || !isFilledRow(*this, row)) return false;
  record = recordOf(*this, row);
  return true;
}

// --- Notifications ---

int CGridCtrl::SendNotify(int code, int row, int col) {
  if (!m_notify || m_bDestroying) return 0;
  return m_notify(GridNotifyRecord{this, code, row, col});
}

// --- Looks and window messages ---

void CGridCtrl::SetRedraw(bool allow, bool resetScrollBars) {
  m_bAllowDraw = allow;
  if (allow && resetScrollBars) ResetScrollBars();
  Refresh();
}

QFont CGridCtrl::GetFont() const { return m_cellDefault.GetFont(); }

COLORREF CGridCtrl::SystemColour(QPalette::ColorRole role) const {
  return ToColorRef(palette().color(QPalette::Active, role));
}

void CGridCtrl::ReadSystemColours() {
  m_crWindowText = SystemColour(QPalette::Text);
  m_crWindowColour = SystemColour(QPalette::Base);
  m_cr3DFace = SystemColour(QPalette::Button);
  m_crShadow = SystemColour(QPalette::Dark);
}

void CGridCtrl::OnSysColorChange() {
  CGridDefaultCell* defaults[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef,
                                  &m_cellFixedRowColDef};
  const COLORREF text = SystemColour(QPalette::Text);
  const COLORREF window = SystemColour(QPalette::Base);
  for (CGridDefaultCell* def : defaults) {
    if (def->GetTextColour() == m_crWindowText) def->SetTextColour(text);
    if (def->GetBackColour() == m_crWindowColour) def->SetBackColour(window);
  }
  ReadSystemColours();
}

void CGridCtrl::OnSetFont(const QFont& font) {
  CGridDefaultCell* defaults[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef,
                                  &m_cellFixedRowColDef};
  for (CGridDefaultCell* def : defaults) def->SetFont(&font);
  Refresh();
}

void CGridCtrl::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) OnSysColorChange();
  if (event->type() == QEvent::FontChange) OnSetFont(font());
}

void CGridCtrl::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  // A grid shaped before its dialog laid it out gets its ranges for the size
  // it is first shown at; later resizes keep them.
  if (!m_bShownOnce) {
    m_bShownOnce = true;
    ResetScrollBars();
  }
}

void CGridCtrl::resizeEvent(QResizeEvent* event) {
  // The scroll ranges stay as they are: they follow the contents, not the size.
  if (m_bInResize) return;
  m_bInResize = true;
  StopEditing();
  QAbstractScrollArea::resizeEvent(event);
  m_bInResize = false;
}

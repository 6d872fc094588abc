#include "config/config_func_test_seq.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "controls/control_fonts.h"
#include "controls/grid_ctrl.h"
#include "core/main_dialog_state.h"
#include "services/main_panels.h"
#include "settings/quorren_reg.h"
#include "window/main_window.h"

namespace {
const QString kCommonKey = QStringLiteral("\\Common");
const QString kLastFolderValue = QStringLiteral("SaveLastImage");
constexpr std::uint32_t kNumberFormat = CellFormat::kCenter | CellFormat::kVCenter | CellFormat::kSingleLine |
                                        CellFormat::kEndEllipsis | CellFormat::kNoPrefix;
}  // namespace

CConfigFuncTestSeq::CConfigFuncTestSeq(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("id157"));
  label_ = new QLabel(this);
  label_->setObjectName(QStringLiteral("id1103"));
  grid_ = new CGridCtrl(0, 0, 0, 0, this);
  grid_->setObjectName(QStringLiteral("id1022"));
  display_ = new QPushButton(this);
  display_->setObjectName(QStringLiteral("id1147"));
  save_ = new QPushButton(this);
  save_->setObjectName(QStringLiteral("id1148"));

  grid_->m_OwnerRole = GridOwnerRole::FunctionTest;
  grid_->m_MouseMode = GridMouseMode::kRows;
  grid_->SetEditable(false);
  grid_->SetColumnCount(2);
  grid_->SetFixedColumnCount(1);
  grid_->SetRowCount(kRows);
  grid_->SetColumnWidth(0, kNumberWidth);
  grid_->SetColumnWidth(1, kPictureWidth);
  for (int r = 0; r < kRows; ++r) {
    grid_->SetRowHeight(r, kRowHeight);
    grid_->SetCellText(r, 0, QString::number(r + 1));
    grid_->SetCellFormat(r, 0, kNumberFormat);
  }
  grid_->ShowScrollBars(0, false);
  // Both columns and the vertical bar, nothing beside them.
  const int bar = grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_);
  grid_->setFixedWidth(kNumberWidth + kPictureWidth + bar + 2 * grid_->frameWidth());
  grid_->SetNotifyHandler([this](const GridNotifyRecord& n) { return OnGridNotify(n); });

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(6);
  column->addWidget(label_);
  column->addWidget(grid_, 1);
  for (QPushButton* b : {display_, save_}) {
    b->setFixedHeight(30);
    b->setMaximumWidth(grid_->maximumWidth());
    column->addWidget(b);
  }
  connect(display_, &QPushButton::clicked, this, [this] { OnDisplay(); });
  connect(save_, &QPushButton::clicked, this, [this] { OnSave(); });
  for (QWidget* w : std::initializer_list<QWidget*>{this, grid_, display_, save_}) w->installEventFilter(this);
}

CConfigFuncTestSeq::~CConfigFuncTestSeq() = default;

void CConfigFuncTestSeq::Attach(CVarnisDatamatrixDlg& dlg) {
  dlg_ = &dlg;
  MainDialogState* state = &dlg.state();
  grid_->SetBusyQuery([state] { return state->m_bBusy != 0; });
  if (ImageStoreService* images = store()) {
    images->setGrid(grid_);
    // Only this grid shows the stored pictures, at the end of its own paint.
    grid_->SetThumbnailPainter([state] { return int(state->m_bFuncTestThumbnails); },
                               [images](QPainter& p) { images->DrawThumbnails(p); });
  }
  LoadLanguageTexts();
}

ImageStoreService* CConfigFuncTestSeq::store() const { return dlg_ ? dlg_->panels().imageStore.get() : nullptr; }

bool CConfigFuncTestSeq::busy() const { return dlg_ && dlg_->state().m_bBusy; }

void CConfigFuncTestSeq::LoadLanguageTexts() {
  if (!dlg_) return;
  setWindowTitle(dlg_->text(1067));
  label_->setText(dlg_->text(7600));
  display_->setText(dlg_->text(7601));
  save_->setText(dlg_->text(7602));
  grid_->setFont(fontForCellHeight(15, 700, dlg_->text(10002)));
  // The font resets the heights to its own; the rows keep theirs.
  for (int r = 0; r < kRows; ++r) grid_->SetRowHeight(r, kRowHeight);
}

void CConfigFuncTestSeq::EnableButtons(bool enable) {
  buttonsWanted_ = enable;
  const ImageStoreService* images = store();
  const bool readings = images && images->frameCount() > 0;
  for (QPushButton* b : {display_, save_}) {
    b->setDefault(false);
    b->setAutoDefault(false);
    b->setEnabled(enable && readings);
  }
}

void CConfigFuncTestSeq::EnableList(bool enable) {
  grid_->setEnabled(enable);
  label_->setEnabled(enable);
}

void CConfigFuncTestSeq::HighlightRow(int row) {
  if (row < 0 || row >= kRows) return;
  for (int r = 0; r < kRows; ++r) grid_->SetCellBackColor(r, 0, CLR_DEFAULT);
  grid_->SelectCellRange(row, 1, row, 1, true, true);
  grid_->Refresh();
}

void CConfigFuncTestSeq::HighlightFirstRow() {
  grid_->SetScrollPosition(1, 0);
  grid_->ClearSelection();
  HighlightRow(0);
  grid_->setFocus();
}

std::vector<int> CConfigFuncTestSeq::ChosenRows() const {
  std::vector<int> rows;
  const CCellID focus = grid_->GetFocusCell();
  for (int r = 0; r < kRows; ++r)
    if (grid_->IsCellSelected(r, 1) || (focus.row == r && focus.col == 1)) rows.push_back(r);
  return rows;
}

int CConfigFuncTestSeq::OnGridNotify(const GridNotifyRecord& n) {
  switch (n.code) {
    case GridNotifyCode::kClick:
      grid_->setFocus();
      break;
    case GridNotifyCode::kDoubleClick:
      if (DisplayAllowed()) OnDisplay();
      break;
    case GridNotifyCode::kItemChanging:
      HighlightRow(n.row);
      break;
    default:
      break;
  }
  return 0;
}

void CConfigFuncTestSeq::OnDisplay() {
  ImageStoreService* images = store();
  if (!images || images->frameCount() == 0 || busy()) return;
  m_bDisplay = true;
  for (int row : ChosenRows())
    if (images->ShowFrame(row) != 0) break;
}

QString CConfigFuncTestSeq::SaveFolder() const {
  QString folder;
  CQuorrenReg& reg = dlg_->settings();
  if (reg.Open(kCommonKey) && reg.GetString(kLastFolderValue, folder) && !folder.isEmpty()) return folder;
  return dlg_->programPaths().documents;
}

void CConfigFuncTestSeq::OnSave() {
  ImageStoreService* images = store();
  if (!images || images->frameCount() == 0) return;
  for (int row : ChosenRows()) {
    if (row >= images->frameCount()) break;
    QString path = dlg_->prompt().saveFileName(dlg_->messageOwner(), dlg_->text(6057), SaveFolder(), dlg_->text(6055));
    if (path.isEmpty()) break;
    // The picture goes beside the page under the page's name with ".bmp";
    // a ".bmp" name (the filter's) or none gives the page ".htm", so the
    // page never overwrites its picture.
    const QFileInfo chosen(path);
    if (chosen.suffix().isEmpty() || chosen.suffix().compare(QStringLiteral("bmp"), Qt::CaseInsensitive) == 0)
      path = chosen.dir().filePath(chosen.completeBaseName() + QStringLiteral(".htm"));
    // Best effort: a folder that cannot be remembered never stops the save.
    CQuorrenReg& reg = dlg_->settings();
    if (reg.Create(kCommonKey)) reg.SetString(kLastFolderValue, QFileInfo(path).absolutePath());
    if (ImageViewService* view = dlg_->panels().imageView.get()) view->Render();
    const int status = images->ExportHtml(row, path);
    // -1 is a file the store has reported already.
    if (status != 0 && status != -1) dlg_->errors().ShowError(status);
    if (status != 0) break;
  }
}

// Enter shows the chosen reading again (not from the buttons); Space never
// acts; the arrow keys go to the grid, whatever has the focus.
bool CConfigFuncTestSeq::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (watched != display_ && watched != save_ && DisplayAllowed() && !ChosenRows().empty()) OnDisplay();
        return true;
      case Qt::Key_Space:
        return true;
      default:
        if (grid_->TakeArrowKey(watched, key)) return true;
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

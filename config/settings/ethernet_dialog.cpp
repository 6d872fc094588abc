// The shared records name a member "slots": they come before any Qt header.
#include "core/main_dialog_state.h"

#include "settings/ethernet_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include "controls/control_fonts.h"
#include "controls/grid_ctrl.h"
#include "settings/global_sensor_settings.h"
#include "settings/globals_io.h"
#include "settings/settings_support.h"
#include "window/main_window.h"

namespace {
constexpr int kRowHeight = 23;
constexpr COLORREF kHeaderColour = 0x3599FF;
// Context menu 198: the entries in menu order and their commands.
constexpr int kMenuCommands[4] = {32794, 32793, 32795, 32796};
}  // namespace

CGlobalEthernetSettings::CGlobalEthernetSettings(CGlobalSensorSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName("CGlobalEthernetSettings");
  setFixedSize(430, 420);
  labels_[0] = MakeControl<QLabel>(this, 1216, {16, 16, 220, 24});
  length_ = MakeControl<QLineEdit>(this, 1215, {240, 16, 50, 24});
  labels_[1] = MakeControl<QLabel>(this, 1217, {296, 16, 100, 24});
  length_->setMaxLength(3);
  GuardEdit(length_);
  idle_ = MakeControl<QCheckBox>(this, 1218, {16, 44, 300, 22});
  idle_->hide();
  segmentation_ = MakeControl<QCheckBox>(this, 1219, {16, 48, 300, 22});
  group_ = MakeControl<QGroupBox>(this, 1237, {8, 74, 414, 290});
  labels_[2] = MakeControl<QLabel>(this, 1222, {16, 86, 140, 22});
  for (int i = 0; i < 3; ++i) bytes_[i] = MakeControl<QCheckBox>(this, 1224 + i, {160 + i * 86, 86, 84, 22});
  labels_[3] = MakeControl<QLabel>(this, 1227, {16, 112, 140, 22});
  size_ = MakeControl<QLineEdit>(this, 1238, {160, 112, 120, 22});
  size_->setReadOnly(true);
  size_->setFocusPolicy(Qt::NoFocus);
  grid_ = new CGridCtrl(0, 0, 0, 0, this);
  grid_->setObjectName(IdName(1236));
  grid_->setGeometry(16, 142, 318, 214);
  const int buttonIds[5] = {kEdit, kAdd, kDel, kDown, kUp};
  for (int i = 0; i < 5; ++i) {
    auto* b = MakeControl<QPushButton>(this, buttonIds[i], {344, 142 + i * 42, 68, 36});
    b->setAutoDefault(false);
    buttons_.push_back(b);
  }
  ok_ = MakeControl<QPushButton>(this, 1, {212, 376, 96, 28});
  escape_ = MakeControl<QPushButton>(this, 2, {318, 376, 96, 28});
  ok_->setAutoDefault(false);
  escape_->setAutoDefault(false);
  connect(ok_, &QPushButton::clicked, this, &CGlobalEthernetSettings::accept);
  connect(escape_, &QPushButton::clicked, this, &CGlobalEthernetSettings::Cancel);
  connect(button(kEdit), &QPushButton::clicked, this, &CGlobalEthernetSettings::OnEdit);
  connect(button(kAdd), &QPushButton::clicked, this, [this] { OnAdd(false); });
  connect(button(kDel), &QPushButton::clicked, this, &CGlobalEthernetSettings::OnDel);
  connect(button(kUp), &QPushButton::clicked, this, [this] { OnMove(-1); });
  connect(button(kDown), &QPushButton::clicked, this, [this] { OnMove(1); });
  for (QCheckBox* b : bytes_) connect(b, &QCheckBox::clicked, this, [this, b] { OnControlByte(b); });
  connect(segmentation_, &QCheckBox::clicked, this, &CGlobalEthernetSettings::OnSegmentation);
  connect(idle_, &QCheckBox::clicked, this, &CGlobalEthernetSettings::OnIdleHeader);
  menu_ = new QMenu(this);
  menu_->setObjectName("id198");
  for (int command : kMenuCommands) menu_->addAction(QString())->setObjectName(IdName(command));
  const auto actions = menu_->actions();
  connect(actions[0], &QAction::triggered, this, [this] { OnMove(-1); });
  connect(actions[1], &QAction::triggered, this, [this] { OnMove(1); });
  connect(actions[2], &QAction::triggered, this, &CGlobalEthernetSettings::OnDel);
  connect(actions[3], &QAction::triggered, this, [this] { OnAdd(true); });
  grid_->SetNotifyHandler([this](const GridNotifyRecord& n) { return OnGridNotify(n); });
  grid_->SetEditable(true);
  grid_->m_MouseMode = GridMouseMode::kRows;
  for (QObject* o : std::initializer_list<QObject*>{this, length_, size_, grid_, grid_->viewport()})
    o->installEventFilter(this);
}

QPushButton* CGlobalEthernetSettings::button(Button b) const {
  return buttons_[static_cast<std::size_t>(b == kEdit ? 0 : b == kAdd ? 1 : b == kDel ? 2 : b == kDown ? 3 : 4)];
}

void CGlobalEthernetSettings::OnInitDialog() {
  CVarnisDatamatrixDlg& dlg = settings_.window();
  const ProcIfSettings& p = dlg.state().m_SensorGlobalRecords.procIf;
  current_ = {-1, 1};
  edited_ = {-1, -1};
  rowError_ = closing_ = editPending_ = false;
  const int count = ClampSegmentCount(p.NumberOfAssemblySegments);
  grid_->SetRowCount(0);
  grid_->SetColumnCount(3);
  grid_->SetRowCount(count + 1);
  grid_->SetFixedRowCount(1);
  grid_->setFont(fontForCellHeight(15, 400, dlg.text(10002)));
  for (int c = 0; c < 3; ++c) {
    grid_->SetCellText(0, c, dlg.text(7854 + c));
    grid_->SetCellFormat(0, c, CellFormat::kSingleLine | CellFormat::kVCenter | CellFormat::kNoPrefix |
                                   CellFormat::kEndEllipsis);
    grid_->SetCellBackColor(0, c, kHeaderColour);
    // A third of the client width each (the viewport is sized once the grid shows).
    grid_->SetColumnWidth(c, (grid_->width() - 2 * grid_->frameWidth()) / 3);
  }
  const std::vector<SegmentRow> rows = ParseSegments(QString::fromUtf8(p.AssemblySegments.c_str()).toStdU16String(), count);
  for (int i = 0; i < count; ++i) {
    grid_->SetRowHeight(i + 1, kRowHeight);
    grid_->SetCellText(i + 1, 0, QString::number(i + 1));
    grid_->SetCellText(i + 1, 1, QString::fromStdU16String(rows[static_cast<std::size_t>(i)].offset));
    grid_->SetCellText(i + 1, 2, QString::fromStdU16String(rows[static_cast<std::size_t>(i)].length));
  }
  const int icons[5] = {1011, 1012, 1013, 1015, 1014};  // Edit, Add, Del, Down, Up
  for (int i = 0; i < 5; ++i) {
    buttons_[static_cast<std::size_t>(i)]->setIcon(QIcon(dlg.resources().picturePath(icons[i])));
    buttons_[static_cast<std::size_t>(i)]->setIconSize(QSize(24, 24));
  }
  length_->setText(QString::number(p.ConsumingAssemblyLength));
  idle_->setChecked(p.RunIdleHeader != 0);
  segmentation_->setChecked(p.EnableSegmentation == 1);
  bytes_[0]->setChecked(p.UseAnswerControleByte != 0);
  bytes_[1]->setChecked(p.UseDecodeControleByte != 0);
  bytes_[2]->setChecked(p.UseStatusControleByte != 0);
  EnableSegmentControls(p.EnableSegmentation == 1);
  for (Button b : {kEdit, kDel, kDown, kUp}) button(b)->setEnabled(false);
  UpdateSize();
  setWindowTitle(dlg.text(7844));
  const int labelTexts[4] = {7845, 7846, 7850, 7857};
  for (int i = 0; i < 4; ++i) labels_[i]->setText(dlg.text(labelTexts[i]));
  idle_->setText(dlg.text(7847));
  segmentation_->setText(dlg.text(7848));
  for (int i = 0; i < 3; ++i) bytes_[i]->setText(dlg.text(7851 + i));
  for (int i = 0; i < 4; ++i) menu_->actions()[i]->setText(dlg.text(7860 + 10 * i));
  ok_->setText(dlg.text(9203));
  escape_->setText(dlg.text(9202));
}

std::vector<SegmentRow> CGlobalEthernetSettings::Rows() const {
  std::vector<SegmentRow> rows;
  for (int r = 1; r < grid_->GetRowCount(); ++r)
    rows.push_back({grid_->GetCellText(r, 1).toStdU16String(), grid_->GetCellText(r, 2).toStdU16String()});
  return rows;
}

int CGlobalEthernetSettings::ControlBytes() const {
  int n = 0;
  for (QCheckBox* b : bytes_) n += b->isChecked() ? 1 : 0;
  return n;
}

void CGlobalEthernetSettings::UpdateSize() {
  size_->setText(QStringLiteral("%1 %2").arg(AssemblySize(Rows(), ControlBytes())).arg(settings_.window().text(7846)));
}

void CGlobalEthernetSettings::Renumber() {
  for (int r = 1; r < grid_->GetRowCount(); ++r) {
    grid_->SetCellText(r, 0, QString::number(r));
    grid_->SetRowHeight(r, kRowHeight);
  }
  grid_->Refresh();
}

void CGlobalEthernetSettings::SelectRow(int row) {
  grid_->ClearSelectedRange();
  if (row >= 1 && row < grid_->GetRowCount()) grid_->SelectCellRange(row, 0, row, 2, true, true);
}

void CGlobalEthernetSettings::EditCell(int row, int col) {
  grid_->setFocus();
  grid_->BeginCellEdit(row, col, QPoint(-1, -1), 0);
  edited_ = {row, col};
  editPending_ = true;
}

int CGlobalEthernetSettings::Message(int textId) {
  return ShowTextBox(settings_.window(), textId, QMessageBox::Information, QMessageBox::Ok, this);
}

void CGlobalEthernetSettings::EnableSegmentControls(bool on) {
  for (QWidget* w : std::initializer_list<QWidget*>{group_, labels_[2], labels_[3], bytes_[0], bytes_[1], bytes_[2],
                                                     size_, grid_})
    w->setEnabled(on);
  button(kAdd)->setEnabled(on);
  const bool rowSelected = grid_->GetSelectedRow() >= 1;
  for (Button b : {kEdit, kDel, kDown, kUp}) button(b)->setEnabled(on && rowSelected && segmentation_->isChecked());
}

bool CGlobalEthernetSettings::RowCheck() {
  rowError_ = false;
  grid_->StopEditing();
  const int row = edited_.row;
  if (row < 1 || row >= grid_->GetRowCount()) return true;
  const std::vector<SegmentRow> rows = Rows();
  const int code = CheckSegmentRow(rows, row - 1, ControlBytes());
  if (code != 0) {
    Message(code);
    SelectRow(row);
    const int col = code == 9940 ? 1 : code == 9941 || code == 9943 ? 2 : std::max(1, edited_.col);
    EditCell(row, col);
    rowError_ = true;
    return false;
  }
  for (int c = 1; c <= 2; ++c) {
    const int value = FieldValue(grid_->GetCellText(row, c).toStdU16String());
    if (value >= 0) grid_->SetCellText(row, c, QString::number(value));
  }
  return true;
}

void CGlobalEthernetSettings::OnEdit() {
  if (!RowCheck()) return;
  current_.row = grid_->GetSelectedRow();
  if (current_.row >= 1 && current_.col != 0) EditCell(current_.row, current_.col);
}

void CGlobalEthernetSettings::OnAdd(bool beforeSelected) {
  if (!RowCheck()) return;
  if (CheckSegmentCount(grid_->GetRowCount()) != 0) {
    Message(9944);
    if (grid_->GetSelectedRow() >= 1) grid_->setFocus();
    return;
  }
  const int selected = grid_->GetSelectedRow();
  const int row = grid_->InsertRow(QStringLiteral("0"), beforeSelected && selected >= 1 ? selected : -1);
  if (row < 0) return;
  grid_->SetCellText(row, 1, QStringLiteral("0"));
  grid_->SetCellText(row, 2, QStringLiteral("0"));
  Renumber();
  SelectRow(row);
  grid_->setFocus();
  current_.row = row;
  edited_ = {row, std::max(1, current_.col)};
  EnableSegmentControls(true);
  UpdateSize();
}

void CGlobalEthernetSettings::OnDel() {
  if (!RowCheck()) return;
  const int row = grid_->GetSelectedRow();
  if (row < 1) return;
  current_.row = row;
  if (CheckSegmentCount(grid_->GetRowCount() - 2) != 0) {
    Message(9944);
    grid_->setFocus();
    return;
  }
  grid_->DeleteRow(row);
  edited_ = {-1, -1};
  editPending_ = false;
  Renumber();
  const int next = std::min(row, grid_->GetRowCount() - 1);
  SelectRow(next);
  current_.row = next;
  grid_->setFocus();
  UpdateSize();
}

void CGlobalEthernetSettings::OnMove(int delta) {
  if (!RowCheck()) return;
  const int row = grid_->GetSelectedRow();
  if (row < 1) return;
  current_.row = row;
  const int last = grid_->GetRowCount() - 1;
  if ((delta < 0 && row == 1) || (delta > 0 && row == last)) return;
  const QString offset = grid_->GetCellText(row, 1);
  const QString length = grid_->GetCellText(row, 2);
  grid_->DeleteRow(row);
  const int target = row + delta;
  const int at = grid_->InsertRow(QString(), target > grid_->GetRowCount() - 1 ? -1 : target);
  grid_->SetCellText(at, 1, offset);
  grid_->SetCellText(at, 2, length);
  Renumber();
  SelectRow(at);
  current_.row = at;
  edited_ = {at, std::max(1, current_.col)};
  grid_->setFocus();
}

void CGlobalEthernetSettings::OnControlByte(QCheckBox* box) {
  if (edited_.row >= 1 && !RowCheck()) {
    box->setChecked(!box->isChecked());
    return;
  }
  if (AssemblySize(Rows(), ControlBytes()) <= kMaxAssemblyBytes) {
    UpdateSize();
    return;
  }
  Message(9943);
  box->setChecked(!box->isChecked());
}

void CGlobalEthernetSettings::OnIdleHeader() {
  if (RowCheck())
    UpdateSize();
  else
    idle_->setChecked(!idle_->isChecked());
}

void CGlobalEthernetSettings::OnSegmentation() {
  if (!RowCheck()) {
    segmentation_->setChecked(true);
    return;
  }
  UpdateSize();
  EnableSegmentControls(segmentation_->isChecked());
}

bool CGlobalEthernetSettings::CheckLength() {
  rowError_ = false;
  if (escape_->hasFocus() || closing_) return true;
  if (CheckAssemblyLength(length_->text().toStdU16String()) == 0) return true;
  Message(9945);
  length_->setFocus();
  length_->setSelection(0, 3);
  rowError_ = true;
  return false;
}

int CGlobalEthernetSettings::OnGridNotify(const GridNotifyRecord& n) {
  switch (n.code) {
    case GridNotifyCode::kClick:
      OnGridClick(n.row, n.col);
      break;
    case GridNotifyCode::kRightClick:
      OnGridRightClick(n.row, n.col);
      break;
    case GridNotifyCode::kItemChanging:
      SelectRow(n.row);
      break;
    case GridNotifyCode::kBeginLabelEdit:
      // Only the offset and length of a segment are edited, one row at a time.
      if (n.row < 1 || n.col < 1) return -1;
      edited_ = {n.row, n.col};
      editPending_ = true;
      break;
    case GridNotifyCode::kEndLabelEdit:
      UpdateSize();
      break;
    default:
      break;
  }
  return 0;
}

void CGlobalEthernetSettings::OnGridClick(int row, int col) {
  grid_->setFocus();
  current_ = {row, col};
  EnableSegmentControls(true);
  if (editPending_) {
    if (!RowCheck()) return;
    editPending_ = false;
  }
  UpdateSize();
}

void CGlobalEthernetSettings::OnGridRightClick(int row, int col) {
  grid_->setFocus();
  if (!grid_->IsValid(row, col) || !grid_->IsCellSelected(row, col)) return;
  GridRect r;
  grid_->GetCellRect(row, col, &r);
  menu_->popup(grid_->viewport()->mapToGlobal(QPoint(r.left, r.bottom)));
}

void CGlobalEthernetSettings::accept() {
  if (!RowCheck()) return;
  // Enter in the length edit reaches OK too: its check runs here as well.
  if (CheckAssemblyLength(length_->text().toStdU16String()) != 0) {
    Message(9945);
    length_->setFocus();
    length_->setSelection(0, 3);
    return;
  }
  ProcIfSettings& p = settings_.window().state().m_SensorGlobalRecords.procIf;
  p.ConsumingAssemblyLength = length_->text().toInt();
  p.RunIdleHeader = idle_->isChecked() ? 1 : 0;
  p.EnableSegmentation = segmentation_->isChecked() ? 1 : 0;
  p.UseAnswerControleByte = bytes_[0]->isChecked() ? 1 : 0;
  p.UseDecodeControleByte = bytes_[1]->isChecked() ? 1 : 0;
  p.UseStatusControleByte = bytes_[2]->isChecked() ? 1 : 0;
  p.NumberOfAssemblySegments = grid_->GetRowCount() - 1;
  p.AssemblySegments.Assign(QString::fromStdU16String(JoinSegments(Rows())).toStdString());
  QDialog::accept();
}

void CGlobalEthernetSettings::Cancel() {
  closing_ = true;
  grid_->StopEditing();
  QDialog::reject();
}

void CGlobalEthernetSettings::reject() { Cancel(); }

void CGlobalEthernetSettings::closeEvent(QCloseEvent* event) {
  closing_ = true;
  QDialog::closeEvent(event);
}

bool CGlobalEthernetSettings::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == length_ && type == QEvent::FocusOut && IsUserFocusChange(event)) CheckLength();
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (type == QEvent::KeyRelease) return true;
      if (editPending_ && !rowError_) {
        grid_->StopEditing();
        if (RowCheck()) {
          editPending_ = false;
          UpdateSize();
        }
        return true;
      }
      rowError_ = false;
      accept();
      return true;
    }
    if (watched == size_) return true;
  }
  if (watched == grid_->viewport() && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease)) {
    const CCellID cell = grid_->GetCellAtPoint(static_cast<QMouseEvent*>(event)->position().toPoint());
    if (cell.row >= 1 && type == QEvent::MouseButtonPress) {
      if (!RowCheck()) return true;
      SelectRow(cell.row);
    }
  }
  return QDialog::eventFilter(watched, event);
}

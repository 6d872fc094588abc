#include "view/service_report.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardPaths>
#include <algorithm>
#include <initializer_list>

#include "controls/button_draw.h"
#include "controls/control_fonts.h"
#include "controls/grid_ctrl.h"
#include "core/main_dialog_state.h"
#include "core/misc_checks.h"
#include "core/sensor_command.h"
#include "log/log.h"
#include "services/main_panels.h"
#include "services/prompt.h"
#include "settings/quorren_reg.h"
#include "view/direct_x.h"
#include "view/image_view_service.h"
#include "view/picture_placeholder.h"
#include "view/result_image_store.h"

namespace {

QString IdName(int id) { return QStringLiteral("id%1").arg(id); }

template <class W>
W* Make(QWidget* parent, int id, QRect geometry) {
  auto* w = new W(parent);
  w->setObjectName(IdName(id));
  w->setGeometry(geometry);
  return w;
}

const QString kCommonKey = QStringLiteral("\\Common");
const QString kEvaluationFailed = QStringLiteral("Saving evaluation image failed!");

}  // namespace

CServiceReport::CServiceReport(QWidget* parent) : QWidget(parent) {
  setObjectName(IdName(160));
  resize(356, 560);
  m_btnAll = Make<CButtonDraw>(this, 1145, {8, 8, 166, 32});
  m_btnFailed = Make<CButtonDraw>(this, 1146, {182, 8, 166, 32});
  m_btnAll->setText(QStringLiteral("All readings"));
  m_btnFailed->setText(QStringLiteral("Failed readings"));

  grid_ = new CGridCtrl(0, 0, 0, 0, this);
  grid_->setObjectName(IdName(1147));
  grid_->setGeometry(8, 48, 340, 296);

  m_display = Make<QGroupBox>(this, 65535, {8, 352, 340, 66});
  m_display->setTitle(QStringLiteral("Display options"));
  m_btnImages = Make<CButtonDraw>(this, 1136, {18, 376, 100, 32});
  m_btnSearchZones = Make<CButtonDraw>(this, 1137, {128, 376, 100, 32});
  m_btnResults = Make<CButtonDraw>(this, 1138, {238, 376, 100, 32});
  m_btnImages->setText(QStringLiteral("Images"));
  m_btnSearchZones->setText(QStringLiteral("Search zones"));
  m_btnResults->setText(QStringLiteral("Results"));

  m_btnSaveReport = Make<QPushButton>(this, 1139, {8, 428, 166, 30});
  m_btnSaveEvaluation = Make<QPushButton>(this, 1140, {182, 428, 166, 30});
  m_btnSaveAll = Make<QPushButton>(this, 1141, {8, 466, 166, 30});
  m_btnReset = Make<QPushButton>(this, 1142, {182, 466, 166, 30});
  m_btnSaveReport->setText(QStringLiteral("Save service report"));
  m_btnSaveEvaluation->setText(QStringLiteral("Save evaluation ...."));
  m_btnSaveAll->setText(QStringLiteral("Save all evaluations ...."));
  m_btnReset->setText(QStringLiteral("Reset statistics"));

  InitResultsGrid();
  grid_->SetNotifyHandler([this](const GridNotifyRecord& n) { return OnGridNotify(n); });
  grid_->SetBusyQuery([this] { return Busy(); });

  for (CButtonDraw* b : {m_btnImages, m_btnSearchZones, m_btnResults}) b->setToggleMode(true);
  m_btnAll->setCheckable(true);
  m_btnFailed->setCheckable(true);
  connect(m_btnAll, &QAbstractButton::clicked, this, [this] { OnListKind(0); });
  connect(m_btnFailed, &QAbstractButton::clicked, this, [this] { OnListKind(1); });
  connect(m_btnImages, &QAbstractButton::clicked, this, [this](bool on) { OnImages(on); });
  connect(m_btnSearchZones, &QAbstractButton::clicked, this, [this](bool on) { OnSearchZones(on); });
  connect(m_btnResults, &QAbstractButton::clicked, this, [this](bool on) { OnResults(on); });
  connect(m_btnReset, &QPushButton::clicked, this, [this] { OnResetStatistics(); });
  connect(m_btnSaveReport, &QPushButton::clicked, this, [this] { OnSaveServiceReport(); });
  connect(m_btnSaveAll, &QPushButton::clicked, this, [this] { OnSaveAllEvaluations(); });
  connect(m_btnSaveEvaluation, &QPushButton::clicked, this, [this] { OnSaveEvaluation(); });

  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  ClearResultSlots(true);
  CheckAllDisplayOptions();
  // The first list the window fetches is of all readings.
  m_btnAll->setChecked(true);
  FillResultsGrid(true);
}

CServiceReport::~CServiceReport() = default;

QString CServiceReport::T(int id) const { return host_.text ? host_.text(id) : QString(); }
// Message boxes carry the application title of the common definitions.
QString CServiceReport::Title() const { return host_.common ? host_.common(104) : QString(); }
bool CServiceReport::Busy() const { return host_.state && host_.state->m_bBusy; }

bool CServiceReport::imagesShown() const { return m_btnImages->isChecked(); }
bool CServiceReport::searchZonesShown() const { return m_btnSearchZones->isChecked(); }
bool CServiceReport::resultsShown() const { return m_btnResults->isChecked(); }

QString CServiceReport::selectedResultTime() const {
  return m_nSelectedRow >= 1 ? grid_->GetCellText(m_nSelectedRow, 0) : QString();
}

// Enter, Escape and Space never act in the panel; the arrow keys always go
// to the grid, whatever has the focus.
bool CServiceReport::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Escape:
      case Qt::Key_Space:
        return true;
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Up:
      case Qt::Key_Down:
        return grid_->TakeArrowKey(watched, key);
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void CServiceReport::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) OnInitDialog();
}

// The grid is filled by the results-list reply that brings the panel up.
void CServiceReport::OnInitDialog() {
  for (CButtonDraw* b : {m_btnImages, m_btnSearchZones, m_btnResults}) b->setToggleMode(true);
  CheckAllDisplayOptions();
  if (host_.panels && host_.panels->imageView) host_.panels->imageView->RemoveAllOverlays();
  setWindowTitle(T(1079));
}

void CServiceReport::InitResultsGrid() {
  grid_->m_OwnerRole = GridOwnerRole::ServiceReport;
  grid_->m_MouseMode = GridMouseMode::kFilledRows;
  grid_->SetEditable(false);
  // The heading in the highlight colour; the rows stay plain so the
  // selected one stands out.
  for (bool col : {false, true}) grid_->GetDefaultCell(true, col)->SetBackColour(kRowColour);
  grid_->SetColumnCount(4);
  grid_->SetFixedRowCount(1);
  grid_->SetRowCount(kSlots + 1);
  grid_->SetRowHeight(0, 20);
  for (int r = 1; r <= kSlots; ++r) grid_->SetRowHeight(r, 18);
  grid_->setFont(fontForCellHeight(15, 700, T(10002)));
  SizeColumns();
  for (int r = 0; r <= kSlots; ++r)
    for (int c = 0; c < 4; ++c) grid_->SetCellFormat(r, c, kCellFormat);
  for (int c = 0; c < 4; ++c) {
    const QString heading = T(8910 + c);
    grid_->SetCellText(0, c, heading.isEmpty() ? QString() : heading);
  }
}

// Time, verdict and number as wide as their texts in the language shown;
// the code's text takes the rest of the grid's width.
void CServiceReport::SizeColumns() {
  const QFontMetrics metrics(grid_->font());
  // A cell's text keeps a blank's width from each side, inside its lines and border.
  const int padding = 2 * metrics.horizontalAdvance(QLatin1Char(' ')) + 4;
  auto fit = [&](std::initializer_list<QString> texts) {
    int width = 0;
    for (const QString& t : texts) width = std::max(width, metrics.horizontalAdvance(t));
    return width + padding;
  };
  const int time = fit({QStringLiteral("00:00:00.000"), T(8910)});
  const int verdict = fit({T(8911), T(8914), T(8915)});
  const int number = fit({QString::number(kSlots), T(8913)});
  const int code = grid_->width() - 2 * grid_->frameWidth() - time - verdict - number;
  const int widths[4] = {time, verdict, code, number};
  for (int c = 0; c < 4; ++c) grid_->SetColumnWidth(c, widths[c]);
}

void CServiceReport::LoadLanguageTexts() {
  auto set = [this](QAbstractButton* b, int id) {
    const QString t = T(id);
    if (!t.isEmpty()) b->setText(t);
  };
  set(m_btnAll, 8900);
  set(m_btnFailed, 8901);
  set(m_btnSaveReport, 8902);
  set(m_btnSaveEvaluation, 8903);
  set(m_btnSaveAll, 8904);
  set(m_btnReset, 8905);
  if (const QString t = T(8906); !t.isEmpty()) m_display->setTitle(t);
  set(m_btnImages, 8907);
  set(m_btnSearchZones, 8908);
  set(m_btnResults, 8909);
  for (int c = 0; c < 4; ++c) grid_->SetCellText(0, c, T(8910 + c));
  SizeColumns();
  if (host_.state && host_.state->m_nSensorState == 9 && m_nResultCount > 0) {
    for (int i = 0; i < kSlots && i < m_nResultCount; ++i) {
      if (slots_[std::size_t(i)].verdict == 1) grid_->SetCellText(i + 1, 1, T(8914));
      if (slots_[std::size_t(i)].verdict == 0) grid_->SetCellText(i + 1, 1, T(8915));
    }
    if ((m_btnAll->isChecked() || m_btnFailed->isChecked()) && !Busy()) PostBusy(CMD_REFRESH_RESULT);
  }
  grid_->Refresh();
}

void CServiceReport::CheckAllDisplayOptions() {
  for (CButtonDraw* b : {m_btnImages, m_btnSearchZones, m_btnResults}) {
    b->setCheckable(true);
    b->setChecked(true);
  }
}

void CServiceReport::ClearResultSlots(bool reset) {
  if (reset) slots_.fill(Slot{});
}

QString CServiceReport::FormatResultTime(qint64 ageMs) {
  const QDateTime now = now_ ? now_() : QDateTime::currentDateTime();
  const QTime t = now.addMSecs(-ageMs).time();
  m_strTimeText = QString::asprintf("%02d:%02d:%02d.%03d", t.hour(), t.minute(), t.second(), t.msec());
  return m_strTimeText;
}

void CServiceReport::FillResultsGrid(bool rebuild) {
  if (rebuild) {
    // The main window's last results-list reply fills the slots.
    if (host_.state) {
      const MainDialogState& s = *host_.state;
      m_nResultCount = s.m_nStoredResultCount;
      const int n = std::min({kSlots, std::max(0, m_nResultCount), int(s.m_ResultsList.size())});
      for (int i = 0; i < n; ++i) {
        const ResultListEntry& e = s.m_ResultsList[std::size_t(i)];
        Slot& slot = slots_[std::size_t(i)];
        slot.number = e.resultNumber;
        slot.verdict = e.passed == 1 ? 1 : 0;
        slot.ageText = QString::fromUtf8(e.ageText);
        slot.resultText = QString::fromUtf8(e.resultText);
        slot.index = e.index;
      }
      for (int i = n; i < kSlots; ++i) slots_[std::size_t(i)] = Slot{};
    }
    const bool any = m_nResultCount > 0;
    for (QWidget* w : std::initializer_list<QWidget*>{m_btnSaveReport, m_btnSaveEvaluation, m_btnSaveAll, m_btnReset,
                                                      m_btnImages, m_btnSearchZones, m_btnResults})
      w->setEnabled(any);
    const int rows = std::min(kSlots, std::max(0, m_nResultCount));
    for (int i = 0; i < kSlots; ++i) {
      const int row = i + 1;
      if (i >= rows || slots_[std::size_t(i)].number < 0) {
        for (int c = 0; c < 4; ++c) grid_->SetCellText(row, c, QString());
        continue;
      }
      const Slot& slot = slots_[std::size_t(i)];
      grid_->SetCellText(row, 0, FormatResultTime(slot.ageText.trimmed().toLongLong()));
      if (slot.verdict == 1) grid_->SetCellText(row, 1, T(8914));
      if (slot.verdict == 0) grid_->SetCellText(row, 1, T(8915));
      grid_->SetCellText(row, 2, QString::fromStdU16String(CMisc::DecodeConfigLabel(slot.resultText.toStdString())));
      grid_->SetCellText(row, 3, QString::number(slot.index + 1));
    }
    grid_->ClearSelection();
  }
  grid_->Refresh();
  if ((m_btnAll->isChecked() || m_btnFailed->isChecked()) && m_nResultCount > 0) {
    SelectRow(1);
    PostBusy(CMD_REFRESH_RESULT);
  }
}

// The row's cells selected and its result taken; rows 1..filled only.
void CServiceReport::SelectRow(int row) {
  for (int r = 0; r < grid_->GetRowCount(); ++r)
    for (int c = 0; c < 4; ++c) grid_->SetCellState(r, c, grid_->GetCellState(r, c) & ~CellStateFlags::kSelected);
  for (int c = 0; c < 4; ++c) grid_->SetCellState(row, c, grid_->GetCellState(row, c) | CellStateFlags::kSelected);
  grid_->Refresh();
  m_nSelectedRow = row;
  const Slot& slot = slots_[std::size_t(row - 1)];
  m_nSelectedNumber = slot.number;
  m_nSelectedVerdict = slot.verdict;
  if (host_.state) host_.state->m_nSelectedResultId = slot.number;
}

bool CServiceReport::SelectedRowShown() const {
  return m_nResultCount > 0 && m_nSelectedRow >= 1 && m_nSelectedRow <= grid_->CountFilledRows();
}

void CServiceReport::PostBusy(int command, int option) {
  if (host_.state) {
    host_.state->m_bBusy = 1;
    host_.state->m_nResultOption = option;
  }
  if (host_.postCommand) host_.postCommand(command);
}

int CServiceReport::OnGridNotify(const GridNotifyRecord& n) {
  if (n.code != GridNotifyCode::kClick && n.code != GridNotifyCode::kItemChanging) return 0;
  if (n.code == GridNotifyCode::kClick) grid_->setFocus();
  if (Busy()) return 0;
  m_nFilledRows = grid_->CountFilledRows();
  // The heading row and the rows without a result fetch nothing.
  if (n.row < 1 || n.row > m_nFilledRows || n.row > kSlots) return 0;
  SelectRow(n.row);
  PostBusy(CMD_REFRESH_RESULT);
  return 0;
}

void CServiceReport::OnListKind(int kind) {
  CButtonDraw* chosen = kind == 0 ? m_btnAll : m_btnFailed;
  CButtonDraw* other = kind == 0 ? m_btnFailed : m_btnAll;
  // A click has flipped the button: the switch that was on stays on.
  if (Busy() || !chosen->isChecked()) {
    chosen->setChecked(!chosen->isChecked());
    return;
  }
  m_nListKind = kind;
  other->setChecked(false);
  m_nResultCount = 0;
  LeaveZoom(host_);
  if (host_.enableZoomButtons) host_.enableZoomButtons(false);
  grid_->SetScrollPosition(0, 0);
  grid_->SetScrollPosition(1, 0);
  PostBusy(kind == 0 ? CMD_GET_RESULTS_LIST : CMD_GET_FAILED_RESULTS_LIST);
}

void CServiceReport::OnImages(bool checked) {
  if (Busy()) {
    m_btnImages->setChecked(!checked);
    return;
  }
  m_nFilledRows = grid_->CountFilledRows();
  if (checked) {
    if (SelectedRowShown()) PostBusy(CMD_REFRESH_RESULT);
    return;
  }
  ShowPlaceholderPicture(host_);
}

void CServiceReport::OnSearchZones(bool checked) {
  if (Busy()) {
    m_btnSearchZones->setChecked(!checked);
    return;
  }
  ImageViewService* view = host_.panels ? host_.panels->imageView.get() : nullptr;
  if (checked) {
    if (SelectedRowShown() && host_.panels && host_.panels->results) host_.panels->results->Refresh();
  } else if (view) {
    view->RemoveOverlaysOfKind(0);
    view->Render();
  }
}

void CServiceReport::OnResults(bool checked) {
  if (Busy()) {
    m_btnResults->setChecked(!checked);
    return;
  }
  if (checked) {
    if (SelectedRowShown() && host_.panels && host_.panels->results) host_.panels->results->Refresh();
    return;
  }
  if (host_.log) host_.log->Clear();
  if (host_.panels && host_.panels->imageView) {
    host_.panels->imageView->RemoveOverlaysOfKind(1);
    host_.panels->imageView->Render();
  }
}

void CServiceReport::OnResetStatistics() {
  if (Busy()) return;
  PostBusy(CMD_RESET_STATISTICS);
}

// --- Saving ---

QString CServiceReport::StoredFolder(const QString& valueName) const {
  QString folder;
  if (host_.settings && host_.settings->Open(kCommonKey)) {
    host_.settings->GetString(valueName, folder);
    host_.settings->Close();
  }
  return folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : folder;
}

// Remembering the folder is a convenience: the save goes on when it fails.
void CServiceReport::StoreFolder(const QString& valueName, const QString& folder) const {
  if (!host_.settings || !host_.settings->Create(kCommonKey)) return;
  host_.settings->SetString(valueName, folder);
  host_.settings->Close();
}

QString CServiceReport::ChooseFolder(int titleId, const QString& valueName) {
  if (!host_.prompt) return {};
  const QString folder = host_.prompt->existingFolder(this, T(titleId), StoredFolder(valueName));
  if (folder.isEmpty()) return {};
  m_strChosenFolder = folder;
  StoreFolder(valueName, folder);
  return folder;
}

void CServiceReport::OnSaveServiceReport() {
  if (Busy()) return;
  const QString folder = ChooseFolder(6100, QStringLiteral("ServiceReport"));
  if (folder.isEmpty()) return;
  if (host_.state) host_.state->m_strResultFolder = QDir::toNativeSeparators(folder).toStdU16String();
  PostBusy(CMD_SAVE_SERVICE_REPORT, m_nListKind);
}

void CServiceReport::OnSaveAllEvaluations() {
  if (Busy()) return;
  const QString folder = ChooseFolder(6104, QStringLiteral("AllEvaluations"));
  if (folder.isEmpty()) return;
  if (host_.state) host_.state->m_strResultFolder = QDir::toNativeSeparators(folder).toStdU16String();
  const bool failed = m_btnFailed->isChecked();
  PostBusy(failed ? CMD_SAVE_FAILED_RESULTS : CMD_SAVE_ALL_RESULTS, failed ? 1 : 0);
}

// The picture goes to the chosen name with ".bmp"; the sensor's page of the
// result to the chosen name (".htm" when a picture's name was chosen), so the
// one never overwrites the other.
void CServiceReport::OnSaveEvaluation() {
  if (Busy() || !host_.prompt) return;
  const QString path =
      host_.prompt->saveFileName(this, T(6101), StoredFolder(QStringLiteral("Evaluation")), T(6055));
  if (path.isEmpty()) return;
  m_strEvaluationPath = path;
  const QFileInfo chosen(path);
  StoreFolder(QStringLiteral("Evaluation"), chosen.absolutePath());
  const QString base = chosen.dir().filePath(chosen.completeBaseName());
  const QString page =
      chosen.suffix().compare(QStringLiteral("bmp"), Qt::CaseInsensitive) == 0 ? base + QStringLiteral(".htm") : path;
  if (SaveEvaluationImage(base + QStringLiteral(".bmp")) != 0) {
    host_.prompt->message(host_.window, kEvaluationFailed, Title(),
                          QMessageBox::Information);
    return;
  }
  if (host_.state) host_.state->m_strResultFile = page.toStdU16String();
  PostBusy(CMD_SAVE_CURRENT_RESULT);
}

int CServiceReport::SaveEvaluationImage(const QString& bmpPath) {
  QImage picture;
  ImageViewService* view = host_.panels ? host_.panels->imageView.get() : nullptr;
  if (view) picture = view->surface();
  if (picture.isNull()) return -1;
  if (picture.depth() != 24 && picture.depth() != 32) {
    host_.prompt->message(host_.window, T(9922), Title(),
                          QMessageBox::Information);
    return -1;
  }
  ResultImageStoreHost writer;
  writer.text = host_.text;
  writer.prompt = host_.prompt;
  writer.owner = host_.window;
  writer.title = [this] { return Title(); };
  return ResultImageStore(writer).WriteBmp(bmpPath, ResultImageStore::ToBmpPicture(picture));
}

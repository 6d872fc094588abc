#include "view/monitor_mode.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShowEvent>

#include "controls/button_draw.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "log/log.h"
#include "services/main_panels.h"
#include "view/picture_placeholder.h"

namespace {

QString IdName(int id) { return QStringLiteral("id%1").arg(id); }

template <class W>
W* Make(QWidget* parent, int id, QRect geometry) {
  auto* w = new W(parent);
  w->setObjectName(IdName(id));
  w->setGeometry(geometry);
  return w;
}

}  // namespace

CMonitorMode::CMonitorMode(QWidget* parent) : QWidget(parent) {
  setObjectName(IdName(144));
  resize(356, 330);
  m_display = Make<QGroupBox>(this, 65535, {8, 8, 340, 78});
  m_display->setTitle(QStringLiteral("Display options"));
  m_btnImages = Make<CButtonDraw>(this, 1025, {20, 36, 100, 34});
  m_btnSearchZones = Make<CButtonDraw>(this, 1026, {128, 36, 100, 34});
  m_btnResults = Make<CButtonDraw>(this, 1027, {236, 36, 100, 34});
  m_btnImages->setText(QStringLiteral("Images"));
  m_btnSearchZones->setText(QStringLiteral("Search zones"));
  m_btnResults->setText(QStringLiteral("Results"));

  m_statistics = Make<QGroupBox>(this, 1099, {8, 96, 340, 196});
  m_statistics->setTitle(QStringLiteral("Statistics"));
  m_lblGood = Make<QLabel>(this, 1104, {20, 126, 140, 22});
  m_lblFailed = Make<QLabel>(this, 1105, {20, 158, 140, 22});
  m_lblTotal = Make<QLabel>(this, 1106, {20, 190, 140, 22});
  m_lblGood->setText(QStringLiteral("Good readings"));
  m_lblFailed->setText(QStringLiteral("Failed readings"));
  m_lblTotal->setText(QStringLiteral("Total readings"));
  m_stats.goodEdit->setGeometry(164, 124, 80, 24);
  m_stats.failedEdit->setGeometry(164, 156, 80, 24);
  m_stats.totalEdit->setGeometry(164, 188, 80, 24);
  m_stats.goodShareEdit->setGeometry(252, 124, 62, 24);
  m_stats.failedShareEdit->setGeometry(252, 156, 62, 24);
  // Made before the group box around them: above it.
  for (QLineEdit* edit : {m_stats.goodEdit, m_stats.failedEdit, m_stats.totalEdit, m_stats.goodShareEdit,
                          m_stats.failedShareEdit})
    edit->raise();
  for (int id : {1243, 1244}) {
    auto* percent = Make<QLabel>(this, id, {318, id == 1243 ? 126 : 158, 20, 22});
    percent->setText(QStringLiteral("%"));
  }
  m_btnReset = Make<CButtonDraw>(this, 1144, {20, 236, 160, 34});
  m_btnReset->setText(QStringLiteral("Reset statistics"));

  connect(m_btnImages, &QAbstractButton::clicked, this, [this] { OnImages(m_btnImages->isChecked()); });
  connect(m_btnSearchZones, &QAbstractButton::clicked, this, [this] { OnSearchZones(m_btnSearchZones->isChecked()); });
  connect(m_btnResults, &QAbstractButton::clicked, this, [this] { OnResults(m_btnResults->isChecked()); });
  connect(m_btnReset, &QAbstractButton::clicked, this, [this] { OnResetStatistics(); });

  // No key and no right button ever acts in the panel.
  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

CMonitorMode::~CMonitorMode() = default;

void CMonitorMode::AttachView(const ViewHost& host) { host_ = host; }

QString CMonitorMode::T(int id) const { return host_.text ? host_.text(id) : QString(); }

bool CMonitorMode::imagesShown() const { return m_btnImages->isChecked(); }
bool CMonitorMode::searchZonesShown() const { return m_btnSearchZones->isChecked(); }
bool CMonitorMode::resultsShown() const { return m_btnResults->isChecked(); }

bool CMonitorMode::HasResults() const { return host_.state && host_.state->m_nReadCount >= 1; }

bool CMonitorMode::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      return static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

// The panel is initialised each time the window shows it for a monitor session.
void CMonitorMode::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) OnInitDialog();
}

void CMonitorMode::OnInitDialog() {
  m_btnReset->setDown(false);
  for (CButtonDraw* b : {m_btnImages, m_btnSearchZones, m_btnResults}) b->setToggleMode(true);
  CheckAllDisplayOptions();
  m_bMonitorBoxesAllowed = true;
  if (host_.state) host_.state->m_bRenderOnPaint = false;
  if (host_.panels && host_.panels->imageView) host_.panels->imageView->RemoveAllOverlays();
  setWindowTitle(T(1078));
  ClearStatistics();
}

void CMonitorMode::LoadLanguageTexts() {
  for (CButtonDraw* b : {m_btnImages, m_btnSearchZones, m_btnResults}) {
    b->setText(QString());
    b->update();
  }
  auto set = [this](auto* w, int id) {
    const QString t = T(id);
    if (!t.isEmpty()) w->setText(t);
  };
  auto title = [this](QGroupBox* g, int id) {
    const QString t = T(id);
    if (!t.isEmpty()) g->setTitle(t);
  };
  title(m_statistics, 9003);
  set(m_lblGood, 9000);
  set(m_lblFailed, 9001);
  set(m_lblTotal, 9002);
  set(m_btnReset, 8905);
  title(m_display, 8906);
  set(m_btnImages, 8907);
  set(m_btnSearchZones, 8908);
  set(m_btnResults, 8909);
  // A missing text keeps the template's caption.
  if (m_btnImages->text().isEmpty()) m_btnImages->setText(QStringLiteral("Images"));
  if (m_btnSearchZones->text().isEmpty()) m_btnSearchZones->setText(QStringLiteral("Search zones"));
  if (m_btnResults->text().isEmpty()) m_btnResults->setText(QStringLiteral("Results"));
}

void CMonitorMode::UpdateStatistics() {
  if (!host_.state) return;
  const MainDialogState& s = *host_.state;
  if (s.m_nTotalReadings == 0) return;  // a total of 0 leaves what is shown
  m_stats.Show(s.m_nTotalReadings, s.m_nGoodReadings, s.m_nFailedReadings);
}

void CMonitorMode::ClearStatistics() { m_stats.Clear(); }

void CMonitorMode::ResetStatistics() {
  ClearStatistics();
  if (host_.state) host_.state->m_nTotalReadings = 0;
  if (host_.setStatusText) host_.setStatusText(7, QStringLiteral("%1 %2").arg(T(1014)).arg(0));
  m_btnReset->setDown(false);
}

void CMonitorMode::CheckAllDisplayOptions() {
  for (CButtonDraw* b : {m_btnImages, m_btnSearchZones, m_btnResults}) {
    b->setCheckable(true);
    b->setChecked(true);
  }
}

void CMonitorMode::EnableResetButton(bool on) { m_btnReset->setEnabled(on); }

// Pictures back on: the next reading shows its code boxes again.
void CMonitorMode::OnImages(bool checked) {
  m_bMonitorBoxesAllowed = checked;
  if (checked) return;
  ShowPlaceholderPicture(host_);
}

void CMonitorMode::OnSearchZones(bool checked) {
  ImageViewService* view = host_.panels ? host_.panels->imageView.get() : nullptr;
  if (checked) {
    if (!HasResults() || !m_btnImages->isChecked()) return;
    if (host_.state) host_.state->m_bRenderOnPaint = true;
    if (host_.panels && host_.panels->results) host_.panels->results->ShowWoiOverlay();
  } else if (view) {
    view->RemoveOverlaysOfKind(0);
    view->Render();
  }
}

void CMonitorMode::OnResults(bool checked) {
  if (!checked) {
    if (host_.log) host_.log->Clear();
    if (host_.panels && host_.panels->imageView) {
      host_.panels->imageView->RemoveOverlaysOfKind(1);
      host_.panels->imageView->Render();
    }
    return;
  }
  if (HasResults() && host_.panels && host_.panels->results) host_.panels->results->Refresh();
}

void CMonitorMode::OnResetStatistics() {
  if (host_.state && host_.state->m_bBusy) {
    m_btnReset->setDown(false);
    return;
  }
  m_btnReset->setDown(false);
  if (host_.state) host_.state->m_bBusy = 1;
  if (host_.postCommand) host_.postCommand(CMD_RESET_STATISTICS);
}

#include "codedef/image/config_img_quality.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QTabBar>
#include <QVBoxLayout>

#include "controls/control_services.h"
#include "controls/illum_widget.h"
#include "controls/image_quality_tabctrl.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "codedef/image/config_image_qty_param.h"
#include "services/config_services.h"
#include "window/dialog_control.h"
#include "window/main_window.h"
#include "codedef/write_configuration.h"

namespace {
constexpr int kOffBitmap = 200;
constexpr int kRingBitmap = 201;
// The grey ground and centre of the ring pictures: a click there picks nothing.
bool IsGrey(QRgb c) {
  auto in = [](int v) { return v >= 96 && v <= 199; };
  return in(qRed(c)) && in(qGreen(c)) && in(qBlue(c));
}
}  // namespace

CConfigImgQuality::CConfigImgQuality() {
  setObjectName(QStringLiteral("CConfigImgQuality"));
  pickTimer_.setSingleShot(true);
  pickTimer_.setInterval(kPickDelayMs);
  connect(&pickTimer_, &QTimer::timeout, this, [this] { PickSegment(); });
  commitTimer_.setInterval(50);
  connect(&commitTimer_, &QTimer::timeout, this, [this] { CommitSegments(); });
}

CConfigImgQuality::~CConfigImgQuality() {
  // The trigger tab belongs to the window's panels: hand it back before the
  // tab control deletes its children.
  if (trigger_) trigger_->setParent(nullptr);
}

MainDialogState& CConfigImgQuality::state() const { return dlg_->state(); }

void CConfigImgQuality::Attach(CVarnisDatamatrixDlg& dlg) {
  dlg_ = &dlg;
  group_ = new QGroupBox(this);
  group_->setObjectName(QStringLiteral("id1205"));
  picture_ = new CIllumWidget(group_);
  picture_->setObjectName(QStringLiteral("id1037"));
  picture_->setFixedSize(161, 161);
  picture_->installEventFilter(this);
  auto* groupLayout = new QVBoxLayout(group_);
  groupLayout->setContentsMargins(8, 4, 8, 8);
  groupLayout->addWidget(picture_, 0, Qt::AlignHCenter | Qt::AlignTop);
  tabs_ = new CImageQualityTabctrl(this);
  tabs_->setObjectName(QStringLiteral("id1241"));
  params_ = new CConfigImageQtyParam(dlg, *this);
  tabs_->AddPage(params_, dlg.text(8500));
  ImageQualityTabHooks hooks;
  hooks.isBusy = [this] { return state().m_bBusy != 0; };
  hooks.tabSelected = [this](int tab, bool hasPage) { OnTabSelected(tab, hasPage); };
  hooks.keepTriggerTab = [this](int) {
    auto& trigger = dlg_->panels().trigger;
    return trigger && trigger->ValidateInput() != 0;
  };
  tabs_->setHooks(std::move(hooks));
  // The picture above the tabs: the editor's panel is narrow and tall.
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  column->addWidget(group_);
  column->addWidget(tabs_, 1);
  LoadLanguageTexts();
  ResetControls();
}

// Back on the image settings the live image runs again (a trigger test on
// the other tab stopped it); the trigger tab lists its sources anew.
void CConfigImgQuality::OnTabSelected(int tab, bool hasPage) {
  MainDialogState& s = state();
  auto& trigger = dlg_->panels().trigger;
  if (tab == 0 && hasPage) {
    s.m_nWizardStep = 7;
    s.m_nPageTitle = 7;
    s.m_bTriggerTabActive = 0;
    dlg_->PostSensorCommand(CMD_START_LIVE_IMAGE);
  } else if (trigger) {
    s.m_bTriggerTabActive = 1;
    s.m_bKeepExposureDisabled = 0;
    trigger->FillTriggerSourceCombo();
    s.m_nWizardStep = 17;
    s.m_nPageTitle = 12;
  }
  if (CDialogControl* control = dlg_->dialogControlIfMade()) control->SetPageTitle(s.m_nPageTitle);
}

void CConfigImgQuality::SetTriggerTab(QWidget* page) {
  if (!tabs_ || trigger_) return;
  trigger_ = page;
  tabs_->AddPage(page, dlg_->text(8503));
}

void CConfigImgQuality::LoadLanguageTexts() {
  if (!dlg_) return;
  setWindowTitle(dlg_->text(1061));
  tabs_->tabBar()->setTabText(0, dlg_->text(8500));
  if (tabs_->count() > 1) tabs_->tabBar()->setTabText(1, dlg_->text(8503));
  group_->setTitle(dlg_->text(7900));
  params_->LoadLanguageTexts();
  update();
}

void CConfigImgQuality::ResetControls() {
  if (!dlg_) return;
  if (picture_->hasBitmap())
    picture_->ReloadBitmap();
  else
    SetSegmentPicture(0);
  params_->ClearControls();
}

void CConfigImgQuality::Enter(bool /*first*/) {
  if (tabs_) tabs_->SelectPage(0);
}

void CConfigImgQuality::setShownMask(int mask) { shownMask_ = mask; }

void CConfigImgQuality::SetSegmentPicture(int mask) {
  if (!dlg_) return;
  const int id = mask < 0 ? kOffBitmap : mask > 15 ? kRingBitmap : kRingBitmap + mask;
  picture_->setBitmap(lindaroBitmap(id));
}

void CConfigImgQuality::ShowSettings() {
  if (!dlg_) return;
  MainDialogState& s = state();
  if (s.m_bImageQualityView && !s.m_bLiveImage) dlg_->PostSensorCommand(CMD_START_LIVE_IMAGE);
  // A pick still waiting for the sensor stays: the configuration read back
  // does not know it yet, and the commit writes it.
  if (commitTimer_.isActive())
    s.m_Configuration.imageQuality.Segments = mask_;
  else
    mask_ = s.m_Configuration.imageQuality.Segments;
  params_->ShowSettings();
}

void CConfigImgQuality::EnableExposure(bool on) {
  if (params_) params_->EnableExposure(on);
}

void CConfigImgQuality::OnCommandFailed(int command) {
  if (params_) params_->OnCommandFailed(command);
}

void CConfigImgQuality::OnFailureShown(int command) {
  if (params_) params_->OnFailureShown(command);
}

void CConfigImgQuality::DisableExposure() {
  if (params_) params_->DisableExposure();
}

void CConfigImgQuality::EnableTabs(bool on) {
  if (!tabs_) return;
  for (int i = 0; i < tabs_->count(); ++i) tabs_->EnableTab(i, on);
}

bool CConfigImgQuality::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picture_ && event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) OnPictureClicked(mouse->position().toPoint());
  }
  return QWidget::eventFilter(watched, event);
}

void CConfigImgQuality::OnPictureClicked(QPoint at) {
  const QPixmap shown = picture_->pixmap();
  if (shown.isNull()) return;
  const QImage image = shown.toImage();
  if (!image.rect().contains(at) || IsGrey(image.pixel(at))) return;
  if (state().m_bBusy) return;
  // A second click within the wait: the first pick is made now, not dropped.
  if (pickTimer_.isActive()) {
    pickTimer_.stop();
    PickSegment();
    if (state().m_bBusy) return;
  }
  pickAt_ = at;
  pickTimer_.start();
}

// The picture is cut by its diagonals: bottom and right below x + y = 161,
// left and top above it.
void CConfigImgQuality::PickSegment() {
  const int x = pickAt_.x(), y = pickAt_.y();
  int bit = 0;
  if (x + y >= 161)
    bit = x <= y ? 1 : 0;
  else
    bit = x <= y ? 2 : 3;
  mask_ ^= 1 << bit;
  state().m_Configuration.imageQuality.Segments = mask_;
  shownMask_ = mask_;
  SetSegmentPicture(mask_);
  CommitSegments();
}

// A pick the sensor was busy for is written once it is free, never dropped.
void CConfigImgQuality::CommitSegments() {
  MainDialogState& s = state();
  if (s.m_bBusy) {
    commitTimer_.start();
    return;
  }
  commitTimer_.stop();
  s.m_Configuration.imageQuality.Segments = mask_;
  if (EncodeConfiguration(*dlg_) != 0) {
    ReportNotEncoded(*dlg_);
    return;
  }
  WriteConfiguration(*dlg_);
}

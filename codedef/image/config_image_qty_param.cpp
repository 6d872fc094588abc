#include "codedef/image/config_image_qty_param.h"

#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>
#include <utility>

#include "controls/button_draw.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "codedef/image/config_img_quality.h"
#include "codedef/image/exposure_scroll_bar.h"
#include "window/dialog_control.h"
#include "window/main_window.h"
#include "codedef/write_configuration.h"
#include "core/error_codes.h"
#include "errors/error_msgs.h"

namespace {
CConfigImageQtyParam* g_instance = nullptr;
}

CConfigImageQtyParam* CConfigImageQtyParam::instance() { return g_instance; }

CConfigImageQtyParam::CConfigImageQtyParam(CVarnisDatamatrixDlg& dlg, CConfigImgQuality& page, QWidget* parent)
    : QWidget(parent), dlg_(dlg), page_(page) {
  g_instance = this;
  setObjectName(QStringLiteral("CConfigImageQtyParam"));
  auto makeButton = [this](int id) {
    auto* b = new CButtonDraw(this);
    b->setObjectName(QStringLiteral("id%1").arg(id));
    b->setToggleMode(false);
    b->setCheckable(true);
    b->setMinimumSize(110, 28);
    return b;
  };
  internal_ = makeButton(1076);
  external_ = makeButton(1077);
  linear_ = makeButton(1079);
  logarithmic_ = makeButton(1080);
  auto_ = makeButton(1081);
  scroll_ = new ExposureScrollBar(this);
  scroll_->setObjectName(QStringLiteral("id1078"));
  scroll_->setSingleStep(1);
  scroll_->setPageStep(15);
  text_ = new QLabel(this);
  text_->setObjectName(QStringLiteral("id1053"));
  text_->setMinimumWidth(80);
  const int labelIds[3] = {1110, 1111, 1112};
  for (int i = 0; i < 3; ++i) {
    labels_[i] = new QLabel(this);
    labels_[i]->setObjectName(QStringLiteral("id%1").arg(labelIds[i]));
  }

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(12, 14, 12, 12);
  grid->setVerticalSpacing(8);
  grid->setHorizontalSpacing(10);
  grid->addWidget(labels_[0], 0, 0, 1, 3);
  grid->addWidget(internal_, 1, 0);
  grid->addWidget(external_, 1, 1);
  grid->addWidget(labels_[1], 2, 0, 1, 3);
  grid->addWidget(scroll_, 3, 0, 1, 2);
  grid->addWidget(text_, 3, 2);
  grid->addWidget(auto_, 4, 0);
  grid->addWidget(labels_[2], 5, 0, 1, 3);
  grid->addWidget(linear_, 6, 0);
  grid->addWidget(logarithmic_, 6, 1);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(7, 1);

  timer_.setInterval(kArrowWriteDelayMs);
  connect(&timer_, &QTimer::timeout, this, [this] { OnTimer(); });
  connect(scroll_, &QAbstractSlider::actionTriggered, this, [this](int action) { OnScrollAction(action); });
  connect(scroll_, &QAbstractSlider::sliderReleased, this, [this] { OnPlaced(scroll_->value()); });
  connect(scroll_, &ExposureScrollBar::placed, this, [this](int position) { OnPlaced(position); });
  connect(scroll_, &QAbstractSlider::valueChanged, this, [this] { ShowExposureTime(); });
  connect(internal_, &QAbstractButton::clicked, this, [this] { OnLighting(true); });
  connect(external_, &QAbstractButton::clicked, this, [this] { OnLighting(false); });
  connect(linear_, &QAbstractButton::clicked, this, [this] { OnCharacteristic(false); });
  connect(logarithmic_, &QAbstractButton::clicked, this, [this] { OnCharacteristic(true); });
  connect(auto_, &QAbstractButton::clicked, this, [this] { OnAutoSetting(); });
  count_ = BuildExposureTable(table_);
  scroll_->setRange(0, count_ - 2);
}

CConfigImageQtyParam::~CConfigImageQtyParam() {
  if (g_instance == this) g_instance = nullptr;
}

MainDialogState& CConfigImageQtyParam::state() const { return dlg_.state(); }

QScrollBar* CConfigImageQtyParam::scrollBar() const { return scroll_; }

CButtonDraw* CConfigImageQtyParam::button(int id) const {
  switch (id) {
    case 1076: return internal_;
    case 1077: return external_;
    case 1079: return linear_;
    case 1080: return logarithmic_;
    case 1081: return auto_;
    default: return nullptr;
  }
}

void CConfigImageQtyParam::LoadLanguageTexts() {
  const int labelIds[3] = {7902, 7903, 7904};
  for (int i = 0; i < 3; ++i) labels_[i]->setText(dlg_.text(labelIds[i]));
  const std::pair<CButtonDraw*, int> buttons[] = {
      {internal_, 7905}, {external_, 7906}, {linear_, 7907}, {logarithmic_, 7908}, {auto_, 7909}};
  for (auto [b, id] : buttons) b->setText(dlg_.text(id));
  if (!text_->text().isEmpty()) ShowExposureTime();
}

QString CConfigImageQtyParam::ShowExposureTime() {
  const QString t = QString::fromStdU16String(
      ExposureText(table_, scroll_->value(), dlg_.text(8612).toStdU16String(), dlg_.text(8611).toStdU16String()));
  text_->setText(t);
  return t;
}

void CConfigImageQtyParam::StoreExposure(int position) {
  position = std::clamp(position, 0, count_ - 2);
  state().m_Configuration.imageQuality.ExposureTime = static_cast<int>(table_[static_cast<std::size_t>(position)]);
}

void CConfigImageQtyParam::ClearControls() {
  for (CButtonDraw* b : {internal_, external_, linear_, logarithmic_, auto_}) b->setChecked(false);
  text_->clear();
}

void CConfigImageQtyParam::DisableExposure() {
  scroll_->setEnabled(false);
  page_.SetSegmentPicture(0);
}

void CConfigImageQtyParam::EnableExposure(bool enable) {
  MainDialogState& s = state();
  const ImageQualitySettings& iq = s.m_Configuration.imageQuality;
  CDialogControl* control = dlg_.dialogControlIfMade();
  if (!s.m_bImageQualityView) {
    scroll_->setEnabled(enable);
    page_.setShownMask(enable ? (iq.Internal == 1 ? iq.Segments : -1) : -1);
    if (control) control->EnableZoomButtons(enable);
    if (control && enable) control->RestoreZoomButtons();
  } else {
    page_.setShownMask(iq.Segments);
    if (control) {
      control->EnableZoomButtons(true);
      control->RestoreZoomButtons();
    }
    scroll_->setEnabled(!s.m_bBusy);
  }
  page_.SetSegmentPicture(page_.shownMask());
}

void CConfigImageQtyParam::ShowLighting(bool internal) {
  MainDialogState& s = state();
  internal_->setChecked(internal);
  external_->setChecked(!internal);
  page_.setShownMask(internal ? s.m_Configuration.imageQuality.Segments : -1);
  page_.SetSegmentPicture(page_.shownMask());
}

void CConfigImageQtyParam::ShowSettings() {
  posted_ = 0;  // what the sensor has now
  const ImageQualitySettings& iq = state().m_Configuration.imageQuality;
  showing_ = true;
  ShowLighting(iq.Internal == 1);
  ShowCharacteristic(iq.Logarithmic == 1);
  auto_->setChecked(false);
  count_ = BuildExposureTable(table_);
  scroll_->setRange(0, count_ - 2);
  // A move still waiting for the sensor stays: the configuration read back
  // does not know it yet, and the timer writes it.
  if (timer_.isActive())
    StoreExposure(scroll_->value());
  else
    scroll_->setValue(FindExposureStep(iq.ExposureTime));
  ShowExposureTime();
  scroll_->setEnabled(true);
  showing_ = false;
}

// Arrow clicks wait for the last of a run; page moves, the ends (Home, End)
// and a released thumb are written at once; dragging writes nothing yet.
void CConfigImageQtyParam::OnScrollAction(int action) {
  if (showing_) return;
  const int position = scroll_->sliderPosition();
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
    case QAbstractSlider::SliderSingleStepSub:
      StoreExposure(position);
      timer_.start();
      break;
    case QAbstractSlider::SliderPageStepAdd:
    case QAbstractSlider::SliderPageStepSub:
    case QAbstractSlider::SliderToMinimum:
    case QAbstractSlider::SliderToMaximum:
      StoreExposure(position);
      WriteNow();
      break;
    default: break;
  }
}

void CConfigImageQtyParam::OnPlaced(int position) {
  StoreExposure(position);
  WriteNow();
}

// A move while the sensor is busy is kept: the timer writes it once it is free.
void CConfigImageQtyParam::WriteNow() {
  if (state().m_bBusy) {
    timer_.start();
    return;
  }
  timer_.stop();
  WriteExposure();
}

void CConfigImageQtyParam::OnTimer() {
  if (state().m_bBusy) return;  // next tick
  // One attempt: a failure, of the encoding or of the write, is shown once
  // and not retried.
  timer_.stop();
  StoreExposure(scroll_->value());
  WriteExposure();
}

int CConfigImageQtyParam::WriteExposure() {
  if (EncodeConfiguration(dlg_) != 0) {
    ReportNotEncoded(dlg_);
    return -1;
  }
  return WriteConfiguration(dlg_);
}

void ReportNotEncoded(CVarnisDatamatrixDlg& dlg) { dlg.errors().ShowError(ErrorCodes::kConfigurationNotEncoded); }

bool CConfigImageQtyParam::SendImageSetting(const ImageQualitySettings& before) {
  MainDialogState& s = state();
  // Encoded first: a change that cannot be sent leaves the live image running.
  if (EncodeConfiguration(dlg_) != 0) {
    PutBackUnsent(before);
    ReportNotEncoded(dlg_);
    return false;
  }
  const bool live = s.m_bLiveImage;
  if (live) {
    if (const int stopped = dlg_.StopLiveImage(); stopped != 0) {
      dlg_.errors().ShowError(stopped);
      // The message ended the connection: nothing is sent and the page shows
      // what the sensor had.
      if (!s.m_bConnected) {
        PutBackUnsent(before);
        return false;
      }
    }
  }
  Posting(CMD_SET_CONFIG_DATA, before, live);
  dlg_.PostSensorCommand(CMD_SET_CONFIG_DATA);
  return true;
}

// Nothing was sent, so no reply will end the busy state; the page shows what
// the sensor still has.
void CConfigImageQtyParam::PutBackUnsent(const ImageQualitySettings& before) {
  MainDialogState& s = state();
  s.m_bBusy = 0;
  s.m_bKeepExposureDisabled = 0;
  s.m_Configuration.imageQuality = before;
  ShowLighting(before.Internal == 1);
  ShowCharacteristic(before.Logarithmic == 1);
  EnableExposure(true);
}

void CConfigImageQtyParam::Posting(int command, const ImageQualitySettings& before, bool liveWasOn) {
  posted_ = command;
  before_ = std::make_unique<ImageQualitySettings>(before);
  liveBefore_ = liveWasOn;
  resumeLiveFor_ = 0;
}

// The sensor kept its settings: the page shows them again, the Auto button
// up and the exposure free; the live image follows once the message is read.
// A read-back that failed after the sensor took the change ends the click
// too: the page keeps what it shows.
void CConfigImageQtyParam::OnCommandFailed(int command) {
  if (posted_ == 0 || !before_) return;
  MainDialogState& s = state();
  if (command == posted_) {
    s.m_Configuration.imageQuality = *before_;
    ShowSettings();
  } else if (command == CMD_GET_CONFIG_DATA) {
    posted_ = 0;
    auto_->setChecked(false);
  } else {
    return;
  }
  s.m_bKeepExposureDisabled = 0;
  EnableExposure(true);
  scroll_->setEnabled(true);  // the failed reply ends the busy state next
  resumeLiveFor_ = liveBefore_ ? command : 0;
}

// Not when the message ended the connection, the page was left meanwhile or
// the live image runs already.
void CConfigImageQtyParam::OnFailureShown(int command) {
  if (command == 0 || std::exchange(resumeLiveFor_, 0) != command) return;
  MainDialogState& s = state();
  if (!s.m_bConnected || !s.m_bImageQualityView || s.m_bLiveImage) return;
  s.m_bBusy = 1;
  dlg_.PostSensorCommand(CMD_START_LIVE_IMAGE);
}

void CConfigImageQtyParam::ShowCharacteristic(bool logarithmic) {
  logarithmic_->setChecked(logarithmic);
  linear_->setChecked(!logarithmic);
}

void CConfigImageQtyParam::OnLighting(bool internal) {
  MainDialogState& s = state();
  ImageQualitySettings& iq = s.m_Configuration.imageQuality;
  const bool current = (iq.Internal == 1) == internal;
  if (s.m_bBusy || current) {
    ShowLighting(iq.Internal == 1);
    return;
  }
  const ImageQualitySettings before = iq;
  s.m_bBusy = 1;
  s.m_bKeepExposureDisabled = 1;
  EnableExposure(false);
  iq.Internal = internal ? 1 : 0;
  ShowLighting(internal);
  SendImageSetting(before);
}

void CConfigImageQtyParam::OnCharacteristic(bool logarithmic) {
  MainDialogState& s = state();
  ImageQualitySettings& iq = s.m_Configuration.imageQuality;
  const bool current = (iq.Logarithmic == 1) == logarithmic;
  if (s.m_bBusy || current) {
    ShowCharacteristic(iq.Logarithmic == 1);
    return;
  }
  const ImageQualitySettings before = iq;
  s.m_bBusy = 1;
  s.m_bKeepExposureDisabled = 1;
  EnableExposure(false);
  iq.Logarithmic = logarithmic ? 1 : 0;
  ShowCharacteristic(logarithmic);
  SendImageSetting(before);
}

void CConfigImageQtyParam::OnAutoSetting() {
  MainDialogState& s = state();
  if (s.m_bBusy) {
    auto_->setChecked(false);
    return;
  }
  s.m_bBusy = 1;
  s.m_bKeepExposureDisabled = 1;
  EnableExposure(false);
  auto_->setChecked(true);
  Posting(CMD_CALCULATE_EXPOSURE, s.m_Configuration.imageQuality, s.m_bLiveImage);
  s.m_bLiveImage = 0;
  dlg_.PostSensorCommand(CMD_CALCULATE_EXPOSURE);
}

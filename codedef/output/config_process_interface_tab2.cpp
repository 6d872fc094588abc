#include "codedef/output/config_process_interface_tab2.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "codedef/output/combo_texts.h"
#include "codedef/write_configuration.h"
#include "core/code_types.h"
#include "core/main_dialog_state.h"
#include "core/sensor_command.h"
#include "codedef/output/quality_output.h"
#include "window/main_window.h"

namespace {

constexpr int kQualityOfItem[] = {0, 1, 3};

}  // namespace

CConfigProcessInterfaceTab2::CConfigProcessInterfaceTab2(CVarnisDatamatrixDlg& dlg) : dlg_(dlg) {
  setObjectName(QStringLiteral("CConfigProcessInterfaceTab2"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(8, 10, 8, 8);
  grid->setVerticalSpacing(6);
  auto combo = [this](int id) { return MakeIdCombo(this, id, 8); };
  // One line each: a wrapped label leaves its colon alone on the next line.
  auto label = [this](int id) {
    QLabel* l = MakeIdLabel(this, id);
    l->setWordWrap(false);
    return l;
  };
  quality_ = combo(1234);
  qualityButton_ = new QPushButton(this);
  qualityButton_->setObjectName(QStringLiteral("id1252"));
  qualityButton_->setFocusPolicy(Qt::StrongFocus);
  grid->addWidget(quality_, 0, 0);
  grid->addWidget(qualityButton_, 0, 1);
  int row = 1;
  auto addRow = [&](QLabel*& l, int labelId, QComboBox*& c, int comboId) {
    l = label(labelId);
    c = combo(comboId);
    grid->addWidget(l, row, 0);
    grid->addWidget(c, row, 1);
    ++row;
  };
  addRow(contentLabel_, 1094, content_, 1227);
  addRow(configNumberLabel_, 1258, configNumber_, 1228);
  addRow(codePositionLabel_, 1259, codePosition_, 1229);
  addRow(symbologyLabel_, 1254, symbology_, 1237);
  addRow(imageOutputLabel_, 1236, imageOutput_, 1238);
  addRow(imageTypeLabel_, 1235, imageType_, 1231);
  grid->setRowStretch(row, 1);
  grid->setColumnStretch(1, 1);
  connect(quality_, &QComboBox::activated, this, [this] { OnQualityChanged(); });
  connect(qualityButton_, &QPushButton::clicked, this, [this] { OnQuality(); });
  LoadLanguageTexts();
  // Nothing shown until a configuration is: StoreSettings then keeps what is stored.
  for (QComboBox* c : {content_, configNumber_, codePosition_, symbology_, imageOutput_, imageType_})
    c->setCurrentIndex(-1);
  quality_->setCurrentIndex(0);
  if (state().m_Configuration.processInterface.Append2dQuality == 0) EnableQualityButton(false);
}

MainDialogState& CConfigProcessInterfaceTab2::state() const { return dlg_.state(); }

void CConfigProcessInterfaceTab2::LoadLanguageTexts() {
  const auto text = [this](int id) { return dlg_.text(id); };
  setWindowTitle(text(20034));
  SetComboTexts(quality_, {8190, 8191, 8192}, text);
  qualityButton_->setText(text(8063));
  contentLabel_->setText(text(8041));
  SetComboTexts(content_, {8043, 8042}, text);
  configNumberLabel_->setText(text(8058));
  SetComboTexts(configNumber_, {8043, 8042}, text);
  codePositionLabel_->setText(text(8044));
  SetComboTexts(codePosition_, {8043, 8045, 8046}, text);
  symbologyLabel_->setText(text(8196));
  SetComboTexts(symbology_, {8043, 8042}, text);
  imageOutputLabel_->setText(text(8065));
  SetComboTexts(imageOutput_, {8043, 8042}, text);
  imageTypeLabel_->setText(text(8047));
  SetComboTexts(imageType_, {8048, 8049}, text);
}

// Bar codes have a quality output only in the extended configuration.
bool CConfigProcessInterfaceTab2::QualityAllowed() const {
  const MainDialogState& s = state();
  return s.m_bExtendedConfig || !HasCodeFlag(s.m_nCodeType, CODE_FLAG_BARCODE);
}

void CConfigProcessInterfaceTab2::ShowSettings() {
  MainDialogState& s = state();
  const ProcessInterfaceSettings& p = s.m_Configuration.processInterface;
  const bool qualityOn = QualityAllowed();
  quality_->setEnabled(qualityOn);
  EnableQualityButton(false);
  quality_->setCurrentIndex(0);
  if (qualityOn && (p.Append2dQuality == 1 || p.Append2dQuality == 3)) {
    quality_->setCurrentIndex(p.Append2dQuality == 1 ? 1 : 2);
    EnableQualityButton(true);
  }
  content_->setCurrentIndex(p.AppendOutputDescription);
  configNumber_->setCurrentIndex(p.AppendConfiguration);
  codePosition_->setCurrentIndex(p.AppendCodePosition == 1 || p.AppendCodePosition == 2 ? p.AppendCodePosition : 0);
  const bool symbologyOn = !HasCodeFlag(s.m_nCodeType, CODE_FLAG_BARCODE);
  symbologyLabel_->setEnabled(symbologyOn);
  symbology_->setEnabled(symbologyOn);
  if (symbologyOn) symbology_->setCurrentIndex(p.AppendSymboligyIdentifier == -1 ? 0 : p.AppendSymboligyIdentifier);
  switch (p.AppendImageData) {
    case 1: imageType_->setCurrentIndex(0), imageOutput_->setCurrentIndex(0); break;
    case 2: imageType_->setCurrentIndex(1), imageOutput_->setCurrentIndex(0); break;
    case 5: imageType_->setCurrentIndex(0), imageOutput_->setCurrentIndex(1); break;
    case 6: imageType_->setCurrentIndex(1), imageOutput_->setCurrentIndex(1); break;
    default:
      // A value the lists cannot show: none shown, and StoreSettings keeps it.
      imageType_->setCurrentIndex(-1);
      imageOutput_->setCurrentIndex(-1);
      break;
  }
}

int CConfigProcessInterfaceTab2::StoreSettings() {
  ProcessInterfaceSettings& p = state().m_Configuration.processInterface;
  p.AppendConfiguration = configNumber_->currentIndex();
  p.AppendOutputDescription = content_->currentIndex();
  p.AppendCodePosition = codePosition_->currentIndex();
  p.AppendSymboligyIdentifier = symbology_->currentIndex();
  if (imageType_->currentIndex() >= 0)
    p.AppendImageData = 1 + imageType_->currentIndex() + 4 * (imageOutput_->currentIndex() == 1 ? 1 : 0);
  return 0;
}

int CConfigProcessInterfaceTab2::QualityOutputValue() const {
  if (!QualityAllowed()) return 0;
  const int item = quality_->currentIndex();
  return item >= 0 && item < 3 ? kQualityOfItem[item] : 0;
}

void CConfigProcessInterfaceTab2::OnQualityChanged() {
  EnableQualityButton(quality_->currentIndex() != 0);
  state().m_bQualityOutputChanged = 1;
}

void CConfigProcessInterfaceTab2::EnableQualityButton(bool enable) {
  if (!quality_->isEnabled()) {
    qualityButton_->setEnabled(false);
    return;
  }
  qualityButton_->setEnabled(enable);
  if (!enable) return;
  PrepareQualityParameters(dlg_, state().m_nCodeType);
}

void CConfigProcessInterfaceTab2::OnQuality() {
  const int codeType = state().m_nCodeType;
  RunQualityDialog(dlg_, codeType, QualityCodeName(dlg_, codeType));
}

void CConfigProcessInterfaceTab2::ApplyQualityOutput(int codeType) {
  MainDialogState& s = state();
  s.m_Configuration.processInterface.Append2dQuality = QualityOutputValue();
  if (SendQualitySettings(dlg_, codeType) != 0) return;
  // Sent: the choice is on the sensor now.
  if (const ParameterList* list = QualityListOf(s, codeType); list && !list->empty()) s.m_bQualityOutputChanged = 0;
}

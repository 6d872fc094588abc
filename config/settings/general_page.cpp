// The shared records name a member "slots": they come before any Qt header.
#include "core/main_dialog_state.h"

#include "settings/general_page.h"

#include <QButtonGroup>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "controls/num_spin_ctrl.h"
#include "settings/global_sensor_settings.h"
#include "settings/settings_support.h"
#include "window/main_window.h"

CGlobalSettings::CGlobalSettings(CGlobalSensorSettings& dialog, QWidget* parent)
    : QWidget(parent), dialog_(dialog) {
  setObjectName("CGlobalSettings");
  resize(440, 230);
  const int labelIds[4] = {1039, 1117, 1118, 1224};
  const QRect labelRects[4] = {{16, 20, 200, 22}, {16, 70, 200, 22}, {16, 120, 200, 22}, {290, 146, 140, 22}};
  for (int i = 0; i < 4; ++i) labels_[i] = MakeControl<QLabel>(this, labelIds[i], labelRects[i]);
  debounceOn_ = MakeControl<QRadioButton>(this, 1041, {220, 20, 90, 22});
  debounceOff_ = MakeControl<QRadioButton>(this, 1042, {320, 20, 90, 22});
  laserOn_ = MakeControl<QRadioButton>(this, 1043, {220, 70, 90, 22});
  laserOff_ = MakeControl<QRadioButton>(this, 1044, {320, 70, 90, 22});
  for (auto pair : {std::pair{debounceOn_, debounceOff_}, std::pair{laserOn_, laserOff_}}) {
    auto* group = new QButtonGroup(this);
    group->addButton(pair.first);
    group->addButton(pair.second);
    for (QRadioButton* b : {pair.first, pair.second})
      connect(b, &QRadioButton::clicked, this, [this] { dialog_.window().state().m_SensorInfo.SetGeneralChanged(1); });
  }
  failResults_ = MakeControl<QLineEdit>(this, 1214, {220, 146, 46, 24});
  failResults_->setMaxLength(3);
  failResults_->setText(accepted_);
  GuardEdit(failResults_);
  failResults_->installEventFilter(this);
  spin_ = MakeControl<CNumSpinCtrl>(this, 1215, {266, 146, 18, 24});
  spin_->setBuddy(failResults_);
  spin_->SetDecimals(0);
  spin_->SetRangeAndStep(1, 100, 1);
}

void CGlobalSettings::LoadLanguageTexts() {
  CVarnisDatamatrixDlg& dlg = dialog_.window();
  const int ids[4] = {7800, 7801, 7830, 7831};
  for (int i = 0; i < 4; ++i) labels_[i]->setText(dlg.text(ids[i]));
  debounceOn_->setText(dlg.text(7802));
  laserOn_->setText(dlg.text(7802));
  debounceOff_->setText(dlg.text(7803));
  laserOff_->setText(dlg.text(7803));
}

void CGlobalSettings::FillFromSensorGlobals() {
  MainDialogState& s = dialog_.window().state();
  const SensorGlobalSettings& g = s.m_SensorGlobalRecords.general;
  (g.DebouncedTrigger == 1 ? debounceOn_ : debounceOff_)->setChecked(true);
  (g.LaserMode == 1 ? laserOn_ : laserOff_)->setChecked(true);
  accepted_ = QString::number(g.FailResultsToSave);
  failResults_->setText(accepted_);
  spin_->SetPositionFromValue(g.FailResultsToSave);
  s.m_SensorInfo.SetGeneralChanged(0);
}

void CGlobalSettings::Store() {
  SensorGlobalSettings& g = dialog_.window().state().m_SensorGlobalRecords.general;
  g.DebouncedTrigger = debounceOn_->isChecked() ? 1 : 0;
  g.LaserMode = laserOn_->isChecked() ? 1 : 0;
  g.FailResultsToSave = accepted_.toInt();
}

void CGlobalSettings::EnableControls(bool enable) {
  for (QWidget* w : std::initializer_list<QWidget*>{debounceOn_, debounceOff_, laserOn_, laserOff_, failResults_})
    w->setEnabled(enable);
}

bool CGlobalSettings::CheckFailResults() {
  if (dialog_.escapeHasFocus() || dialog_.closing()) return true;
  bool ok = false;
  const int value = failResults_->text().toInt(&ok);
  if (!ok || value < 1 || value > 100) {
    ShowTextBox(dialog_.window(), 6014, QMessageBox::Warning, QMessageBox::Ok, &dialog_);
    failResults_->setFocus();
    failResults_->setText(accepted_);
    failResults_->selectAll();
    errorMark_ = true;
    return false;
  }
  accepted_ = QString::number(value);
  errorMark_ = false;
  dialog_.window().state().m_SensorInfo.SetGeneralChanged(1);
  return true;
}

bool CGlobalSettings::eventFilter(QObject* watched, QEvent* event) {
  if (watched == failResults_ && event->type() == QEvent::FocusOut && IsUserFocusChange(event)) CheckFailResults();
  return QWidget::eventFilter(watched, event);
}

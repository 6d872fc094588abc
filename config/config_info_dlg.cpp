#include "config/config_info_dlg.h"

#include <QFontMetrics>
#include <algorithm>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "core/config_info_text.h"
#include "records/sensor_configuration.h"
#include "window/main_window.h"

namespace {

// Rows of the dialog: a heading (label 0) or a label and its value control.
struct Line {
  int label;
  int labelText;  // string id; 8662 lines take " 1".." 3"
  int value;
  int suffix = 0;
};
constexpr Line kLines[] = {
    {1096, 8650, 0},       {1056, 8651, 1078},    {1057, 8652, 1079},    {1058, 8653, 1080},
    {1059, 8654, 0},       {1060, 8655, 1081},    {1061, 8656, 1082},    {1062, 8657, 1083},
    {1063, 8658, 0},       {1064, 8659, 1084},    {1065, 8660, 1085},    {1066, 8661, 1086},
    {1097, 8677, 1110},    {1067, 8662, 1087, 1}, {1098, 8662, 1100, 2}, {1099, 8662, 1101, 3},
    {1111, 20004, 1112},   {1113, 20005, 1114},   {1068, 8663, 0},       {1069, 8664, 1088},
    {1070, 8665, 1089},    {1071, 8666, 1090},    {1072, 8667, 1091},    {1073, 8668, 1092},
    {1074, 8669, 1093},    {1102, 8673, 1106},    {1103, 8674, 1107},    {1104, 8675, 1108},
    {1105, 8676, 1109},    {1115, 20000, 1117},   {1116, 20001, 1118},   {1075, 8670, 0},
    {1076, 8671, 1094},    {1077, 8672, 1095}};
// Values shown shortened with an ellipsis at the end.
constexpr int kShortened[] = {1078, 1089, 1090, 1091, 1092, 1093};
constexpr int kValueWidth = 260;

}  // namespace

CConfigInfoDlg::CConfigInfoDlg(CVarnisDatamatrixDlg& dlg, QWidget* parent) : QDialog(parent), dlg_(dlg) {
  setObjectName(QStringLiteral("CConfigInfoDlg"));
  auto* grid = new QGridLayout(this);
  grid->setVerticalSpacing(2);
  int row = 0;
  QFont heading = font();
  heading.setBold(true);
  if (const QString face = dlg.text(10002); !face.isEmpty()) heading.setFamily(face);
  heading.setPixelSize(15);
  for (const Line& line : kLines) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("id%1").arg(line.label));
    QString text = dlg.text(line.labelText);
    if (line.suffix) text = QStringLiteral("%1 %2").arg(text).arg(line.suffix);
    label->setText(text);
    controls_.insert(line.label, label);
    if (line.value == 0) {
      label->setFont(heading);
      grid->addWidget(label, row++, 0, 1, 2);
      continue;
    }
    auto* value = new QLabel(this);
    value->setObjectName(QStringLiteral("id%1").arg(line.value));
    // Shortened texts fit a rectangle 60 pixels wider than the value's own.
    value->setFixedWidth(kValueWidth + 60);
    value->setTextInteractionFlags(Qt::NoTextInteraction);
    controls_.insert(line.value, value);
    grid->addWidget(label, row, 0);
    grid->addWidget(value, row++, 1);
  }
  auto* ok = new QPushButton(dlg.text(9203), this);
  ok->setObjectName(QStringLiteral("id1"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  grid->addWidget(ok, row, 1, Qt::AlignRight);
  setWindowTitle(dlg.text(1069));
  Fill();
}

void CConfigInfoDlg::Fill() {
  const MainDialogState& s = dlg_.state();
  ConfigInfoInput in;
  in.name = s.m_strInfoName;
  in.configIndex = s.m_nConfigIndex;
  in.group = s.m_strInfoGroup;
  in.records = &s.m_Configuration;
  in.extended = s.m_bExtendedConfig != 0;
  ProcIfSettings procIf;
  if (CSensorConfiguration::GetInstance()->ExtractProcIf(s.m_SensorGlobals, procIf) == 0)
    in.processInterfaceType = procIf.ProcIfInterfaceType;
  const ConfigInfoTexts texts =
      BuildConfigInfoTexts(in, [this](int id) { return dlg_.text(id).toStdU16String(); });
  for (auto it = texts.values.begin(); it != texts.values.end(); ++it) {
    QLabel* value = controls_.value(it->first);
    if (!value) continue;
    const QString text = QString::fromStdU16String(it->second);
    full_.insert(it->first, text);
    const bool shortened = std::find(std::begin(kShortened), std::end(kShortened), it->first) != std::end(kShortened);
    value->setText(shortened ? value->fontMetrics().elidedText(text, Qt::ElideRight, kValueWidth + 60) : text);
  }
  for (int id : texts.disabled)
    if (QLabel* c = controls_.value(id)) c->setEnabled(false);
}

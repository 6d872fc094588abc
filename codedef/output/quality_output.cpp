#include "quality_output.h"

#include <QApplication>

#include "core/code_types.h"
#include "core/sensor_command.h"
#include "command_queue.h"
#include "dravik/dravik.h"
#include "quality_parameter_dlg.h"
// Qt's keyword macro `slots` must not meet the quality records' members
// (restored at the end of the file).
#pragma push_macro("slots")
#undef slots
#include "records/barcode_quality_params.h"
#include "records/ecc200_quality_params.h"
#include "records/pdf417_quality_params.h"
#include "services/codedef_services.h"
#include "window/main_window.h"

namespace {

QualityFamily FamilyOf(int codeType) { return QualityFamilyFor(CodeTypeFlagsOf(codeType)); }

bool HasComposite(int codeType) { return HasCodeFlag(codeType, CODE_FLAG_COMPOSITE); }

// The family's get and set commands; 0 for a type without quality parameters.
struct QualityCommands {
  int get = 0;
  int set = 0;
};

QualityCommands CommandsOf(int codeType) {
  switch (FamilyOf(codeType)) {
    case QualityFamily::Ecc200QrAztec: return {CMD_GET_ECC200_QR_QUALITY, CMD_SET_ECC200_QR_QUALITY};
    case QualityFamily::Pdf417: return {CMD_GET_PDF417_QUALITY, CMD_SET_PDF417_QUALITY};
    case QualityFamily::Barcode: return {CMD_GET_QUALITY_PARAMS, CMD_SET_QUALITY_PARAMS};
    case QualityFamily::None: break;
  }
  return {};
}

int WriteQualityList(ParameterList& list, int codeType, const QualitySettings& settings) {
  switch (FamilyOf(codeType)) {
    case QualityFamily::Ecc200QrAztec: return CECC200QualityParams::GetInstance()->WriteAll(list, settings);
    case QualityFamily::Pdf417: return CPDF417QualityParams::GetInstance()->WriteAll(list, settings);
    case QualityFamily::Barcode:
      return CBarcodeQualityParams::GetInstance()->WriteAll(list, settings, HasComposite(codeType));
    case QualityFamily::None: break;
  }
  return -1;
}

}  // namespace

QualityTreeMap BuildQualityTree(int codeType, const QualitySettings& settings, bool compositeOn,
                                const QualityTextLookup& text) {
  QualityTreeMap map;
  switch (FamilyOf(codeType)) {
    case QualityFamily::Ecc200QrAztec:
      CECC200QualityParams::GetInstance()->BuildTreeMap(map, settings, text);
      break;
    case QualityFamily::Pdf417:
      CPDF417QualityParams::GetInstance()->BuildTreeMap(map, settings, text);
      break;
    case QualityFamily::Barcode:
      CBarcodeQualityParams::GetInstance()->BuildTreeMap(map, settings, text, HasComposite(codeType), compositeOn);
      break;
    case QualityFamily::None:
      break;
  }
  return map;
}

void ReadQualityTree(int codeType, const QualityTreeMap& map, QualitySettings& settings) {
  switch (FamilyOf(codeType)) {
    case QualityFamily::Ecc200QrAztec:
      CECC200QualityParams::GetInstance()->ReadTreeMap(map, settings);
      break;
    case QualityFamily::Pdf417:
      CPDF417QualityParams::GetInstance()->ReadTreeMap(map, settings);
      break;
    case QualityFamily::Barcode:
      CBarcodeQualityParams::GetInstance()->ReadTreeMap(map, settings, HasComposite(codeType));
      break;
    case QualityFamily::None:
      break;
  }
}

bool RunQualityDialog(CVarnisDatamatrixDlg& dlg, int codeType, const QString& codeName) {
  MainDialogState& s = dlg.state();
  const QualityTextLookup text = [&dlg](int id) { return dlg.text(id).toStdU16String(); };
  QualityTreeMap map =
      BuildQualityTree(codeType, s.m_QualitySettings, s.m_Configuration.barCode.CompositeComponentUsage != 0, text);
  CQualityParameterDlg dialog(dlg);
  dialog.SetData(map, OverallQualityMode(s.m_QualitySettings), codeName);
  if (dialog.Run() != QDialog::Accepted) return false;
  int mode = 0;
  dialog.GetData(map, mode);
  OverallQualityMode(s.m_QualitySettings) = mode;
  ReadQualityTree(codeType, map, s.m_QualitySettings);
  s.m_bQualityOutputChanged = 1;
  return true;
}

QString QualityCodeName(CVarnisDatamatrixDlg& dlg, int codeType) {
  CodeDefinitionService* page = dlg.panels().codeDefinition.get();
  return page ? page->codeTypeListText(codeType) : QString();
}

ParameterList* QualityListOf(MainDialogState& s, int codeType) {
  switch (FamilyOf(codeType)) {
    case QualityFamily::Ecc200QrAztec: return &s.m_ECC200QRQuality;
    case QualityFamily::Pdf417: return &s.m_PDF417Quality;
    case QualityFamily::Barcode: return &s.m_QualityParams;
    case QualityFamily::None: break;
  }
  return nullptr;
}

void PrepareQualityParameters(CVarnisDatamatrixDlg& dlg, int codeType) {
  MainDialogState& s = dlg.state();
  if (s.m_Configuration.processInterface.Append2dQuality != 0) {
    if (const int get = CommandsOf(codeType).get; get != 0) {
      s.m_bBusy = 1;
      dlg.PostSensorCommand(get);
    }
    return;
  }
  switch (FamilyOf(codeType)) {
    case QualityFamily::Ecc200QrAztec:
      CECC200QualityParams::GetInstance()->SetAllAppendFlags(s.m_QualitySettings);
      break;
    case QualityFamily::Pdf417:
      CPDF417QualityParams::GetInstance()->SetAllAppendFlags(s.m_QualitySettings);
      break;
    case QualityFamily::Barcode:
      CBarcodeQualityParams::GetInstance()->SetAllAppendFlags(s.m_QualitySettings, false, 1);
      break;
    case QualityFamily::None:
      return;
  }
  OverallQualityMode(s.m_QualitySettings) = CQualityParameterDlg::kOverallAll;
}

int SendQualitySettings(CVarnisDatamatrixDlg& dlg, int codeType) {
  MainDialogState& s = dlg.state();
  ParameterList* list = QualityListOf(s, codeType);
  if (!list) return 0;
  if (s.m_Configuration.processInterface.Append2dQuality != 0 && list->empty()) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    WaitForCommandQueue(dlg);
    const std::uint8_t wasBusy = s.m_bBusy;
    s.m_bBusy = 1;
    const int status = GetQualityParams(codeType, list);
    s.m_bBusy = wasBusy;
    QApplication::restoreOverrideCursor();
    if (status != 0) {
      list->clear();
      dlg.errors().ShowError(status);
      return status;
    }
  }
  // Never read: the sensor's list shape is unknown and the library refuses an empty one.
  if (list->empty()) return 0;
  if (WriteQualityList(*list, codeType, s.m_QualitySettings) != 0) return 0;
  s.m_bBusy = 1;
  dlg.PostSensorCommand(CommandsOf(codeType).set);
  return 0;
}

int& OverallQualityMode(QualitySettings& settings) { return settings.slots[0].appendIt; }
#pragma pop_macro("slots")

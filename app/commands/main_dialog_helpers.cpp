#include "commands/main_dialog_helpers.h"

#include <chrono>
#include <thread>

#include "commands/read_results.h"
#include "core/code_types.h"
#include "dravik/dravik.h"
#include "window/main_window.h"

namespace {

constexpr int kImageQualityStep = 7;
constexpr int kCodeDefinitionStep = 11;
constexpr int kLiveImageNotRunning = -22;
constexpr std::uint8_t kCodeTabFamilies =
    CODE_FLAG_ECC200 | CODE_FLAG_PDF417 | CODE_FLAG_QR | CODE_FLAG_AZTEC | CODE_FLAG_BARCODE;

}  // namespace

int ValidateEditorPage(CVarnisDatamatrixDlg& dlg) {
  const MainDialogState& s = dlg.state();
  MainPanels& panels = dlg.panels();
  switch (s.m_nWizardStep) {
    case kImageQualityStep:
      return panels.trigger && panels.trigger->ValidateInput() != 0 ? -1 : 0;
    case kCodeDefinitionStep: {
      CodeDefinitionService* page = panels.codeDefinition.get();
      if (!page) return 0;
      if (page->ValidateInput() != 0) return -1;
      if (s.m_nCodeType < 1 || s.m_bConfigModified != 1) return 0;
      if (!(CodeTypeFlagsOf(s.m_nCodeType) & kCodeTabFamilies)) return 0;
      return page->ValidateCodeTab() != 0 ? -1 : 0;
    }
    default:
      return 0;
  }
}

int SaveCodeDefinition(CVarnisDatamatrixDlg& dlg) {
  const MainDialogState& s = dlg.state();
  CodeDefinitionService* page = dlg.panels().codeDefinition.get();
  if (!page) return 0;
  if (page->ValidateInput() != 0) return -1;
  page->ApplyTab1();
  if (s.m_nCodeType < 1) return -1;
  if (s.m_bConfigModified != 1) return 0;
  if (!(CodeTypeFlagsOf(s.m_nCodeType) & kCodeTabFamilies)) return -1;
  if (page->ValidateCodeTab() != 0) return -1;
  // The write is queued behind whatever runs; the queue keeps the order.
  page->SendCodeData();
  return 0;
}

int StopLiveImage(CVarnisDatamatrixDlg& dlg) {
  MainDialogState& s = dlg.state();
  int status = StopLiveImageTransmission();
  if (status == kLiveImageNotRunning) status = 0;
  // The sensor needs a moment to leave the stream before it takes a picture.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  CReadResults reader(s, nullptr);
  const int shown = reader.ShowCurrentImage(dlg.panels().imageView.get());
  if (status != 0) return status;
  s.m_bLiveImage = 0;
  return shown < 0 ? shown : 0;
}

ImageRect ConfiguredWoi(const ImageQualitySettings& settings) {
    const int values[4] = {settings.Left, settings.Right, settings.Top, settings.Bottom};
    return ImageRect{values[0], values[2], values[1], values[3]};
}

int ShowWoiOverlay(CVarnisDatamatrixDlg& dlg) {
    ImageViewService* view = dlg.panels().imageView.get();
    if (!view) return 0;
    const MainDialogState& s = dlg.state();
    // The label belongs to the code-definition page; both pages draw the centre square.
    return view->ShowWoiOverlay(ConfiguredWoi(s.m_Configuration.imageQuality), s.m_bCodeDefinitionView);
}

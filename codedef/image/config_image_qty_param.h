#pragma once
// CConfigImageQtyParam: tab 0 of the image-quality page. Lighting and
// characteristic buttons (written through the worker), Auto setting (the
// sensor computes the exposure), and the exposure scroll bar on the shared
// step table, written straight from the GUI thread: arrow clicks once 500 ms
// after the last one, every other move at once.
#include <QTimer>
#include <QWidget>
#include <memory>

#include "core/exposure_steps.h"

struct ImageQualitySettings;
class CButtonDraw;
class CConfigImgQuality;
class CVarnisDatamatrixDlg;
class ExposureScrollBar;
class QLabel;
class QScrollBar;
struct MainDialogState;

// A change of the page that could not be encoded: shown once per attempt.
void ReportNotEncoded(CVarnisDatamatrixDlg& dlg);

class CConfigImageQtyParam : public QWidget {
  Q_OBJECT
public:
  static constexpr int kArrowWriteDelayMs = 500;

  CConfigImageQtyParam(CVarnisDatamatrixDlg& dlg, CConfigImgQuality& page, QWidget* parent = nullptr);
  ~CConfigImageQtyParam() override;
  static CConfigImageQtyParam* instance();

  void LoadLanguageTexts();
  void ShowSettings();
  int FindExposureStep(int value) const { return ::FindExposureStep(table_, count_, value); }
  QString ShowExposureTime();
  void StoreExposure(int position);
  void ClearControls();
  void DisableExposure();
  void EnableExposure(bool enable);
  // The page's own command failed: the settings before the click come back.
  void OnCommandFailed(int command);
  // That failure has been shown: the live image the click stopped runs again.
  void OnFailureShown(int command);

  QScrollBar* scrollBar() const;
  CButtonDraw* button(int id) const;
  QLabel* exposureText() const { return text_; }
  bool writePending() const { return timer_.isActive(); }

private:
  void OnScrollAction(int action);
  // A position taken as it stands: the thumb let go, "Scroll here".
  void OnPlaced(int position);
  // Writes the position now, or once the sensor is free (the timer).
  void WriteNow();
  void OnTimer();
  // 0 written; -1 not encoded; else the status (shown).
  int WriteExposure();
  void OnLighting(bool internal);
  void OnCharacteristic(bool logarithmic);
  void OnAutoSetting();
  // The change is sent through the worker; the reply reads the configuration
  // back. False when it could not be encoded, or when the message of a
  // failed live-image stop ended the connection: the settings go back to before.
  bool SendImageSetting(const ImageQualitySettings& before);
  void PutBackUnsent(const ImageQualitySettings& before);
  void ShowLighting(bool internal);
  void ShowCharacteristic(bool logarithmic);
  void Posting(int command, const ImageQualitySettings& before, bool liveWasOn);
  MainDialogState& state() const;

  CVarnisDatamatrixDlg& dlg_;
  CConfigImgQuality& page_;
  ExposureScrollBar* scroll_ = nullptr;
  CButtonDraw* auto_ = nullptr;
  CButtonDraw* logarithmic_ = nullptr;
  CButtonDraw* linear_ = nullptr;
  CButtonDraw* internal_ = nullptr;
  CButtonDraw* external_ = nullptr;
  QLabel* text_ = nullptr;
  QLabel* labels_[3] = {};
  QTimer timer_;
  int count_ = 0;
  ExposureTable table_{};
  bool showing_ = false;
  int posted_ = 0;  // the command of a click whose reply is awaited
  std::unique_ptr<ImageQualitySettings> before_;  // the settings before that click
  bool liveBefore_ = false;  // the live image ran before that click
  int resumeLiveFor_ = 0;    // the refused command after whose message the live image restarts
};

#pragma once
// CConfigImgQuality: the image-quality page of the editor. The illumination
// picture (a click toggles the segment under it, written to the sensor) and
// the tabs: image parameters and the trigger settings the main window hands in.
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "services/codedef_services.h"
#include "services/editor_page.h"

class CConfigImageQtyParam;
class CIllumWidget;
class CImageQualityTabctrl;
class QGroupBox;
struct MainDialogState;

class CConfigImgQuality : public QWidget, public ImageQualityService, public EditorPage {
  Q_OBJECT
public:
  static constexpr int kPickDelayMs = 250;

  CConfigImgQuality();
  ~CConfigImgQuality() override;

  void Attach(CVarnisDatamatrixDlg& dlg) override;
  QWidget* widget() override { return this; }
  void ReloadTexts() override { LoadLanguageTexts(); }
  void ShowSettings() override;
  void EnableExposure(bool on) override;
  void EnableTabs(bool on) override;
  void SetTriggerTab(QWidget* page) override;
  void ResetControls() override;
  void DisableExposure() override;
  void OnCommandFailed(int command) override;
  void OnFailureShown(int command) override;
  // EditorPage: the page opens on its image tab (the trigger's step is the page buttons').
  EditorPageKind editorPageKind() const override { return EditorPageKind::ImageQuality; }
  void Enter(bool first) override;

  void LoadLanguageTexts();
  // Bitmap 201 + mask (-1 illumination off: 200; above 15: 201).
  void SetSegmentPicture(int mask);
  int shownMask() const { return shownMask_; }
  void setShownMask(int mask);

  CConfigImageQtyParam* parameters() const { return params_; }
  CImageQualityTabctrl* tabs() const { return tabs_; }
  CIllumWidget* picture() const { return picture_; }
  bool pickPending() const { return pickTimer_.isActive() || commitTimer_.isActive(); }
  // A pick made while the sensor was busy, waiting to be written.
  bool commitWaiting() const { return commitTimer_.isActive(); }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void OnPictureClicked(QPoint at);
  void OnTabSelected(int tab, bool hasPage);
  void PickSegment();
  void CommitSegments();
  MainDialogState& state() const;

  CVarnisDatamatrixDlg* dlg_ = nullptr;
  CImageQualityTabctrl* tabs_ = nullptr;
  CIllumWidget* picture_ = nullptr;
  QGroupBox* group_ = nullptr;
  CConfigImageQtyParam* params_ = nullptr;
  QPointer<QWidget> trigger_;  // owned by the window's panels, not by the tab
  QPoint pickAt_;
  int mask_ = 0;           // segments as the page last committed them
  int shownMask_ = -1;     // what the picture shows, -1 illumination off
  QTimer pickTimer_;       // the wait before a pick
  QTimer commitTimer_;     // a pick waits here while the sensor is busy
};

#pragma once
// Small operations of the main window that the wizard, the pages and the
// reply handler call: the checks and the write of the code-definition page
// before the wizard leaves it, and the stop of the live image. A page that
// does not exist yet counts as valid.
class CVarnisDatamatrixDlg;
struct ImageQualitySettings;
struct ImageRect;

// 0 valid, -1 invalid, by the wizard step shown.
int ValidateEditorPage(CVarnisDatamatrixDlg& dlg);
// 0 written (or nothing to write), -1 invalid.
int SaveCodeDefinition(CVarnisDatamatrixDlg& dlg);
// Stops the stream and shows the current picture; the picture is replaced
// only when one came, the live flag cleared only when the stop worked
// (also "not running"). Returns the stop's status, else the fetch's.
int StopLiveImage(CVarnisDatamatrixDlg& dlg);
// The configured window of interest: its four values are held left, right,
// top, bottom; the rectangle takes the first, third, second and fourth.
ImageRect ConfiguredWoi(const ImageQualitySettings& settings);
// The window-of-interest overlay from the configuration in use, its centre
// cross while a page edits it; the image view's overlay id (0 without a view).
int ShowWoiOverlay(CVarnisDatamatrixDlg& dlg);

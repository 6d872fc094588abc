#pragma once
// Small operations of the main window that the wizard, the pages and the
// reply handler call: the checks and the write of the code-definition page
// before the wizard leaves it, and the stop of the live image. A page that
// does not exist yet counts as valid.
class CVarnisDatamatrixDlg;

// 0 valid, -1 invalid, by the wizard step shown.
int ValidateEditorPage(CVarnisDatamatrixDlg& dlg);
// 0 written (or nothing to write), -1 invalid.
int SaveCodeDefinition(CVarnisDatamatrixDlg& dlg);
// Stops the stream and shows the current picture; the picture is replaced
// only when one came, the live flag cleared only when the stop worked
// (also "not running"). Returns the stop's status, else the fetch's.
int StopLiveImage(CVarnisDatamatrixDlg& dlg);

#pragma once
// Writes the configuration to the sensor now, on the GUI thread: the main
// window's typed configuration into its list (CConfigListInfo::
// WriteConfiguration), then SetConfigExtendedData with the extended
// configuration, else SetConfigData. Used by the code-type switch, Auto
// Detect, Read code, the filter tab and the later pages that write at once.
//
// A direct call never runs behind the worker: when commands are still
// queued (a code tab's Set posted just before) it waits until their replies
// are handled. The wait cursor shows meanwhile. The busy flag is held for
// the call and left as the caller had it. A configuration read handled in
// that wait keeps the changes this write sends (core/waiting_write.h).
#include "output/command_queue.h"

class CVarnisDatamatrixDlg;

// 0 written; -1 the list could not be encoded (nothing sent, nothing shown);
// else the library's status, already shown through CErrorMsgs::ShowError.
int WriteConfiguration(CVarnisDatamatrixDlg& dlg);
// The encode step alone (0 or -1).
int EncodeConfiguration(CVarnisDatamatrixDlg& dlg);

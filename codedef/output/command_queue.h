#pragma once
// A direct library call never runs behind the worker: this waits (events of
// the GUI thread still run, user input waits) until no command is
// outstanding; false when the wait ran out.
class CVarnisDatamatrixDlg;

bool WaitForCommandQueue(CVarnisDatamatrixDlg& dlg, int timeoutMs = 60000);

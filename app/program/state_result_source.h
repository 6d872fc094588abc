#pragma once
// The main window's reading tables (MainDialogState, filled by CReadResults)
// as the result formatter of the image view layer reads them. Plugged in
// once the window exists, since the tables are its state.
class CVarnisDatamatrixDlg;

void PlugReadingTables(CVarnisDatamatrixDlg& window);

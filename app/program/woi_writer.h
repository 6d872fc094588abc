#pragma once
// The configuration write at the end of a window-of-interest drag: the
// dragged rectangle into the configuration list the last read left, sent
// with SetConfigData or SetConfigExtendedData; once written, into the typed
// configuration as well. A direct library call on the GUI thread (the image
// mouse makes it through RunDirectCall).
struct MainDialogState;

int WriteDraggedWoi(MainDialogState& state);

#pragma once
// The one way a page calls the sensor library directly on the GUI thread
// (a configuration write after an overlay drag, the live-image stop when
// the editor is left...): only while no command is outstanding, so it never
// waits behind a long call of the worker; busy and the wait cursor for its
// length. What follows a failure is the caller's.
#include <functional>

struct MainDialogState;

// The call's result, or kDirectCallRefused (nothing called) while a command
// is outstanding or a handler holds the sensor.
inline constexpr int kDirectCallRefused = -0x7fff;
int RunDirectCall(MainDialogState& state, const std::function<int()>& call);

// Waits until no command is outstanding (GUI events still run, so their
// replies are handled; user input waits); false when the wait ran out.
// A direct call that must happen, not be refused, waits here first.
bool WaitForOutstandingCommands(MainDialogState& state, int timeoutMs = 60000);

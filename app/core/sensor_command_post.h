#pragma once
// The GUI thread's side of the command engine: PostSensorCommand keeps the
// convention of filling the argument members first, then posting the id; it
// copies what that id's row reads at once, so later changes of the members
// do not reach a queued command. TakeSensorReply copies a reply's outputs
// into the members named for them. GUI thread only.
#include <cstdint>

#include "core/command_engine.h"
#include "core/main_dialog_state.h"

// The arguments the row of id reads, from the members.
CommandArgs CaptureCommandArgs(const MainDialogState& state, int id);

// Sets or clears m_bTestRunning as the id asks, takes the connection's key
// for a connect, copies the arguments and queues the command. Returns its serial.
uint64_t PostSensorCommand(MainDialogState& state, CommandEngine& engine, int id);

// For every reply that reaches the GUI thread: counts it as handled and, when
// it belongs to the current session and was not replaced or flushed, copies
// its outputs into the members. True when the reply is to be reacted to.
bool TakeSensorReply(MainDialogState& state, const CommandEngine& engine, CommandReply& reply);

#pragma once
// The worker's command table: the library calls of each command id, with
// the arguments the command carries; outputs go into the reply. Runs on the
// command worker; calls libdravik (and libbrimsol for the update).
#include "core/command_records.h"
#include "platform/window_target.h"

// Runs the row of request.id into reply (id, status and outputs). An id
// without a row gives kCommandNotSupported and outcome NoRow.
// window: where the library posts its own events (given to Connect).
void RunCommandRow(const SensorCommandRequest& request, CommandReply& reply, VtWindow window);

// How long the connect's calls may take together (Connect, the state and
// the global settings), in milliseconds: 60 s, or VT_CONNECT_LIMIT_MS when
// set (tests shorten it). A sensor that drips its replies or stays silent
// after accepting cannot hold the window's connect longer.
int ConnectRoadLimitMs();

// The software version from which a sensor has the extended configuration.
inline constexpr int kExtendedConfigVersion = 3100;
// True when the version text's decimal value is kExtendedConfigVersion or more.
bool IsExtendedConfigVersion(std::u16string_view version);

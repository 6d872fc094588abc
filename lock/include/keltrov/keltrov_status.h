// LockStatus: the result codes of libkeltrov's exports.
#pragma once

#include <cstdint>

typedef int32_t LockStatus;

inline constexpr LockStatus KELTROV_OK = 0;
// No lock client: StartCodeBlockingDll has not been called (or was undone).
inline constexpr LockStatus KELTROV_NOT_STARTED = -50;
// StartCodeBlockingDll while a client exists; that client stays.
inline constexpr LockStatus KELTROV_ALREADY_STARTED = -51;
// The client could not be created (no host text, a port outside 1 to 65535,
// no memory).
inline constexpr LockStatus KELTROV_NO_CLIENT = -52;
// The call could not be made or failed, the sensor answered with a fault,
// or the reply's status (element 0) is missing or not an int. Also a null
// pointer argument: nothing is sent then.
inline constexpr LockStatus KELTROV_CALL_FAILED = -53;
// A status or validation reply that is not exactly [status, int value].
inline constexpr LockStatus KELTROV_BAD_REPLY = -54;
// A negative sensor status n comes back as n + KELTROV_SENSOR_STATUS_OFFSET
// (-1 becomes -31); a status so low that this would overflow comes back as
// INT32_MIN.
inline constexpr LockStatus KELTROV_SENSOR_STATUS_OFFSET = -30;

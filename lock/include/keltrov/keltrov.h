// libkeltrov: sets, removes, queries and checks the sensor's password lock.
//
// The library keeps one XML-RPC client to one sensor between
// StartCodeBlockingDll and FinishCodeBlockingDll. Every export may be called
// from any thread; calls are serialised, and each waits for the sensor's
// reply without a time limit (a sensor that vanished is noticed by TCP
// keep-alive) unless SetCodeBlockingTimeLimit gave one. Texts are 8-bit and zero-terminated; the library copies what
// it needs and never stores a password. Results: LockStatus
// (keltrov/keltrov_status.h).
#pragma once

#include "keltrov/keltrov_status.h"
#include "platform/export.h"

#define KELTROV_API VT_EXPORT_C

// Creates the lock client for the sensor's XML-RPC host and port (path
// "/RPC2"); nothing is sent yet.
// Returns KELTROV_OK, KELTROV_ALREADY_STARTED, KELTROV_NO_CLIENT.
KELTROV_API int StartCodeBlockingDll(const char* host, int port);

// Replaces the lock client by a new one for host and port. When the new one
// cannot be created the library is left without a client.
// Returns KELTROV_OK, KELTROV_NOT_STARTED, KELTROV_NO_CLIENT.
KELTROV_API int RestartCodeBlockingDll(const char* host, int port);

// Closes and deletes the lock client. Returns KELTROV_OK, KELTROV_NOT_STARTED.
KELTROV_API int FinishCodeBlockingDll();

// Asks the sensor for its lock status: 0 not locked, above 0 the mask of
// protected functions. *status (caller-owned) is -1 unless KELTROV_OK.
// Returns KELTROV_OK, KELTROV_NOT_STARTED, KELTROV_CALL_FAILED,
// KELTROV_BAD_REPLY or a sensor status (see keltrov_status.h).
KELTROV_API int GetCodeBlockingStatus(int* status);

// Locks the sensor with password (as the sensor is to store it: the program
// sends the framed base64 form) and value, the mask of functions to protect
// (1 service, 2 configuration, 4 statistics reset in monitor state).
// Returns KELTROV_OK, KELTROV_NOT_STARTED, KELTROV_CALL_FAILED or a sensor status.
KELTROV_API int ActivateCodeBlocking(const char* password, int value);

// Removes the sensor's lock. (The name's spelling is the one callers use.)
// Returns KELTROV_OK, KELTROV_NOT_STARTED, KELTROV_CALL_FAILED or a sensor status.
KELTROV_API int DectivateCodeBlocking();

// Has the sensor check password; *result (caller-owned) is the sensor's
// answer (1 right, 0 wrong), -1 unless KELTROV_OK.
// Returns KELTROV_OK, KELTROV_NOT_STARTED, KELTROV_CALL_FAILED,
// KELTROV_BAD_REPLY or a sensor status.
KELTROV_API int ValidateCodeBlockingPassword(const char* password, int* result);

// Every later call waits at most seconds of silence for the sensor's reply
// (a call that runs out returns KELTROV_CALL_FAILED); 0 or less: no limit.
// The program sets its communication timeout, so a sensor that stops
// answering cannot hold the window for good.
KELTROV_API void SetCodeBlockingTimeLimit(double seconds);

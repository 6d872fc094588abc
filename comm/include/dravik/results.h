// libdravik: readings. Test and monitor modes with result polling, the
// result lock, and the getters of what the sensor reports for a reading.
//
// While a test or monitor mode runs, a polling thread asks the sensor for
// new results and posts WM_SENSORNOTIFY to the window given to Connect:
// wParam SN_POLL_RESULT_1 (trigger test), SN_POLL_RESULT_2 (configuration
// test) or SN_POLL_RESULT_3 (monitor) for a new reading, lParam 0; or
// SN_CONNECTION_LOST when the sensor reports a kind of result it does not
// know, or when polls cannot be sent for a while. After each event it waits
// for ResumePollingThread (or a getter's "no result" path); a resume that
// comes early is kept, never lost.
//
// Threads: any thread; every sensor call goes through the connection's lock.
// Lists, byte vectors and bitmaps are the caller's: the library empties and
// refills lists and vectors and writes outputs only as each export says.
// Without a connection every export returns COMM_NOT_CONNECTED and sends
// nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "dravik/dravik.h"
#include "dravik/parameter_list.h"

// Lets the polling thread poll again after an event.
// Results: COMM_OK; COMM_NO_POLLING_THREAD (no mode started polling since
// Connect, or polling was stopped).
DRAVIK_API int ResumePollingThread();

// Releases the result that a getter locked on the sensor ("xmlUnlockResult").
// Results: COMM_OK (also when the sensor says no result was locked: polling
// is then resumed); COMM_NO_REPLY; COMM_FAILED (not sent);
// COMM_STATUS_NOT_INT; or the sensor's status.
DRAVIK_API int SetUnlockResult();

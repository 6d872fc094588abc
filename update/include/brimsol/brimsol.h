// libbrimsol: sends a software image to the sensor and explains its result codes.
//
// The caller names the image file first, then starts the update against the
// sensor's XML-RPC host and port. Results: UpdateStatus (brimsol/brimsol_status.h).
#pragma once

#include "brimsol/brimsol_status.h"
#include "platform/export.h"

#define BRIMSOL_API VT_EXPORT_C

// Names the image file (8-bit path, zero-terminated; the library copies it).
// Any thread. Returns BRIMSOL_OK (name kept for the next update),
// BRIMSOL_FILE_NOT_FOUND (its status cannot be read), BRIMSOL_FILE_SIZE (empty
// or not a regular file), BRIMSOL_NO_FILE_NAME (longer than 511 bytes). A
// refused name leaves the kept one as it was.
BRIMSOL_API int Brimsol_setfilename(const char* path);

// The same for a UTF-16 path (zero-terminated, at most 511 units), which the
// update prefers to the 8-bit one when both are set.
BRIMSOL_API int Brimsol_setfilenameW(const char16_t* path);

// Reads the named image and sends it whole, as one call, to the sensor at
// host (8-bit text) and port; waits for the sensor's answer without a time
// limit: minutes for a large image. When the call fails, waits one second,
// tells the sensor with "xmlAfterSWU" and returns BRIMSOL_SEND_FAILED.
// Any thread; one update at a time. After the call was made, both names are
// cleared; before that (no client, file unreadable) they stay.
// Returns the sensor's result, or BRIMSOL_NO_FILE_NAME (nothing named, no
// connection made), BRIMSOL_NO_CLIENT, BRIMSOL_FILE_NOT_FOUND,
// BRIMSOL_FILE_SIZE, BRIMSOL_SEND_FAILED.
BRIMSOL_API int Brimsol_update(const char* host, int port);

// 1 when the calling thread's last Brimsol_update returned BRIMSOL_SEND_FAILED
// because no readable answer came (the connection was lost or refused, the
// sensor fell silent or its answer broke off), else 0 (also after a fault
// answer). Code 5 is also a result the sensor itself gives, so only this
// tells a lost transfer apart. Per thread: another thread's update leaves it.
BRIMSOL_API int Brimsol_lostconnection(void);

// Copies the fixed English text of an update result code into buf.
// Owner: the caller owns buf (len bytes). Any thread.
// The text is cut to len - 1 characters and a terminating zero; len 0 writes nothing.
BRIMSOL_API void Brimsol_strerror(int code, char* buf, unsigned len);

// libdravik: the files it writes and reads for the program: configuration
// files. Included by dravik/dravik.h.
//
// Paths: the narrow exports take the file system's bytes (UTF-8), the wide
// ones UTF-16. Every export may be called from any thread; sensor calls go
// through the connection's lock one at a time. The caller keeps ownership of
// every text it passes; the library keeps none of them.
#pragma once

#include "dravik/comm_status.h"
#include "platform/export.h"

#ifndef DRAVIK_API
#define DRAVIK_API VT_EXPORT_C
#endif

// Copies the configuration in `slot` (its encoded `name`; `mode` goes to the
// sensor unchanged) into the file at `path` ("xmlDownloadConfig"). The file
// holds exactly the bytes the sensor sent. It is written beside the target
// first and replaces it only when complete, so a failure leaves an older
// file as it was; a sensor status other than 0 writes nothing.
// Results: COMM_OK; COMM_NOT_CONNECTED; COMM_NO_REPLY; COMM_STATUS_NOT_INT;
// COMM_FAILED (the request could not be sent, or a success without the
// data); COMM_FILE_ERROR (the file cannot be written: the data is dropped);
// COMM_INVALID_ARGUMENT (name or path null); or the sensor's status.
DRAVIK_API int DownloadConfig(int slot, const char* name, int mode, const char* path);
// As DownloadConfig; COMM_INVALID_ARGUMENT also for slot < 0 or mode < -1,
// before anything is sent.
DRAVIK_API int DownloadConfigW(int slot, const char* name, int mode, const char16_t* path);

// Sends the file at `path` to the sensor as the configuration in `slot`
// ("xmlUploadConfig"); the file's bytes are sent unchanged, an empty file as
// an empty value.
// Results: COMM_OK; COMM_NOT_CONNECTED; COMM_NO_REPLY; COMM_STATUS_NOT_INT;
// COMM_FAILED (the request could not be sent); COMM_FILE_ERROR (the path is
// missing, unreadable or not a regular file); COMM_INVALID_ARGUMENT (name or
// path null); or the sensor's status.
DRAVIK_API int UploadConfig(int slot, const char* name, int mode, const char* path);
// As UploadConfig; COMM_INVALID_ARGUMENT also for slot < 0 or mode < -1, and
// COMM_BAD_LIBRARY_FILE when the path does not name a regular file, both
// before anything is sent.
DRAVIK_API int UploadConfigW(int slot, const char* name, int mode, const char16_t* path);

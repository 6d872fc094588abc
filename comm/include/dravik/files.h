// libdravik: the files it writes and reads for the program: configuration
// files, result pages and archives, the service report. Included by
// dravik/dravik.h.
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

// Writes the page of the result the sensor holds (`resultId`, -1 the current
// one; `second` goes to the sensor's result lock) as HTML in UTF-16, with a
// byte-order mark through the wide export only, and the result's decoded
// image beside it: the page's path without its extension, the result id and
// ".bmp". The lock is released again on every path. An older page stays as
// it was when the new one cannot be written.
// Results: COMM_OK; COMM_FAILED (path null); COMM_NOT_CONNECTED;
// COMM_INVALID_ARGUMENT (empty path, or longer than 2048 characters);
// COMM_FILE_ERROR (page or picture not written); or the failing sensor
// call's code (COMM_NO_LOCKED_RESULT_LAST when the sensor no longer holds
// the result).
DRAVIK_API int SaveCurrentResult(const char* path, int second, int resultId);
DRAVIK_API int SaveCurrentResultW(const char16_t* path, int second, int resultId);

// Writes every result of the sensor's list of last results (`which` selects
// the list) as a page and a picture into <folder>/<stamp>.tar.gz, stamp =
// local time "YYYYMMDD_hhmmss" ("_2", "_3", ... when that name is taken).
// The archive's entries lie in the one folder "<stamp>/": "Result<n>.html"
// and "Result<n><n>.bmp" per stored result n. Wide pages carry a byte-order
// mark. The third argument is not used.
// Results: COMM_OK (also for an empty list when which is not 1);
// COMM_NOT_CONNECTED; COMM_ARCHIVE_NOTHING_SAVED (empty list, which = 1);
// COMM_NOT_A_FOLDER (folder missing or not a folder; nothing written);
// COMM_INVALID_ARGUMENT (W only: folder null, empty or longer than 1024
// characters, which < 0); COMM_FILE_ERROR (the archive could not be
// written: no archive is left, the folder <folder>/<stamp>/ keeps every
// page and picture); or a failing page's code (nothing is left).
DRAVIK_API int SaveAllResults(const char* folder, int which, int unused);
DRAVIK_API int SaveAllResultsW(const char16_t* folder, int which, int unused);

// Writes the service report into `folder`: "Report.xml" (UTF-16; a
// byte-order mark through the wide export only), "Report.xsl",
// "Report.css", "language.xsl" (the language's sheet, when not empty) and
// one picture per stored result. `which` selects the list of stored results.
// Every result lock taken is released again.
// Results: COMM_OK; COMM_NOT_CONNECTED; COMM_INVALID_ARGUMENT (folder null
// or empty); a style sheet's load code (nothing written); a sensor call's
// code not below -3999, or COMM_REPORT_SECTION_FAILED /
// COMM_LIST_SHORTER_THAN_TEMPLATE for a record too short (no report written);
// COMM_REPORT_NOT_WRITTEN (Report.xml cannot be written; an older one stays
// as it was); COMM_FILE_ERROR (a style sheet or picture cannot be written);
// otherwise the report is complete but for what a code below -3999 names:
// COMM_REPORT_RESULTS_INCOMPLETE (a stored result could not be read and is
// left out) or the sensor's status for a section it refused.
DRAVIK_API int GenerateServiceReport(const char* folder, int which);
DRAVIK_API int GenerateServiceReportW(const char16_t* folder, int which);

// Registers the program's language: the folder Lib/<base><xx>/ of the
// language (its strings.txt and its report sheet 2000). The report then
// takes its "language.xsl" from there; without one, from the English
// folder. `flag` is kept for the program; the third argument is not used.
// Connect forgets the registration. Any thread.
// Results: COMM_OK; COMM_INVALID_ARGUMENT (null, or 512 characters or
// more); COMM_FILE_ERROR (nothing by that name); COMM_BAD_LIBRARY_FILE (not
// a language folder, or it has no sheet 2000).
DRAVIK_API int DefineDravikLocale(const char16_t* languageLibrary, int flag, int unused);

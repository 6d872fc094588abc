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

// Room for the text GetLastResultsList copies out: longer texts are cut to
// DRAVIK_RESULTS_TEXT_SIZE - 1 bytes and a terminating zero.
#define DRAVIK_RESULTS_TEXT_SIZE 1024

// One stored result of the sensor's list of last results: 332 bytes, no
// padding. The texts are cut to their fields and always end with a zero.
struct ResultListEntry {
    int32_t resultNumber;  // the sensor's number of the stored result
    int32_t passed;        // 1 passed, 0 failed
    char ageText[64];      // the result's time, as the sensor sends it
    char resultText[256];  // the result string
    int32_t index;         // the result's index, as the sensor sends it
};
static_assert(sizeof(ResultListEntry) == 332, "ResultListEntry is 332 bytes");

// Test modes: on = 1 stops a running live image (COMM_LIVE_IMAGE_NOT_STOPPED
// when that fails), puts the sensor into its trigger test (state 6, not sent
// when the sensor is in it already) or configuration test (state 7) and
// starts polling; any other value stops polling and leaves the test (state
// 5; polling is stopped even when that fails).
// Results: COMM_OK; COMM_NOT_CONNECTED (also: the polling thread could not
// be started); COMM_LIVE_IMAGE_NOT_STOPPED; or the failing SetState's code.
DRAVIK_API int TestTrigger(int on);
DRAVIK_API int TestConfig(int on);

// Monitor mode: on = 1 puts the sensor into state 2 (unless it is there) and
// starts polling; any other value stops polling (the state is the caller's
// to set). Results: COMM_OK; COMM_NOT_CONNECTED (also: the polling thread
// could not be started); COMM_LIVE_IMAGE_RUNNING (nothing done while the
// live image runs); or the failing SetState's code.
DRAVIK_API int StartMonitorMode(int on);

// After SN_POLL_RESULT_1: locks the result, fetches its decoded image,
// unlocks and resumes polling. On COMM_OK *out is a new 640 x 480 bitmap
// the caller owns (free with DeleteSensorBitmap); otherwise *out is left as
// it was, and a lock taken here is released again.
// Results: COMM_OK; COMM_INVALID_ARGUMENT (out is null); the first failing
// step's code (lock, image, unlock), a "no result" status included.
DRAVIK_API int GetTestTriggerResults(SensorBitmap** out);

// The general result `resultId` of the locked result: the list is emptied
// and, on COMM_OK, holds the result record (template 1013); `bytes` receives
// the raw bytes of the result string.
// Results: COMM_OK (also for a "no result" status: lists stay empty, the lock
// flag is cleared and polling resumed); COMM_INVALID_ARGUMENT (a null list
// or vector); COMM_NO_REPLY; COMM_STATUS_NOT_INT (also a malformed reply);
// a template's load code; or the sensor's status.
DRAVIK_API int GetTestConfigResult(int resultId, ParameterList* list, std::vector<uint8_t>* bytes);

// The code result `resultId` of the locked result by code family (templates
// 1006, 1010, 1012, 2002). The list is emptied and, on COMM_OK, refilled.
// Results: COMM_OK (also for a "no result" status, as above);
// COMM_INVALID_ARGUMENT; COMM_STATUS_NOT_INT (no reply, or malformed); a
// template's load code; or the sensor's status.
DRAVIK_API int GetECC200Result(int resultId, ParameterList* list);
DRAVIK_API int GetPDF417Result(int resultId, ParameterList* list);
DRAVIK_API int GetQRCodeResult(int resultId, ParameterList* list);
DRAVIK_API int GetAztecCodeResult(int resultId, ParameterList* list);

// The quality grades of code `resultId` in the quality record of the code
// type, without the record's closing item. A code type without a quality
// record gives COMM_TEMPLATE_NOT_LOADED and sends nothing. A "no result"
// status is returned as it is here; the four family getters below read it
// as COMM_OK (lock flag cleared, polling resumed).
// Results: as GetECC200Result.
DRAVIK_API int GetCodeQualityResult(int resultId, int codeType, ParameterList* list);
DRAVIK_API int GetECC200QualityResult(int resultId, ParameterList* list);
DRAVIK_API int GetPDF417QualityResult(int resultId, ParameterList* list);
DRAVIK_API int GetQRCodeQualityResult(int resultId, ParameterList* list);
DRAVIK_API int GetAztecCodeQualityResult(int resultId, ParameterList* list);

// After SN_POLL_RESULT_2 or _3, or for a stored result: locks result `first`
// (-1: the current one; `second` is passed on) and, on COMM_OK, leaves it
// locked for the getters above; *count receives the number of codes found.
// withImage non-zero: *out receives the decoded image as a new bitmap the
// caller owns (a failed fetch releases the lock again and leaves *out).
// `list` (may be null) is emptied. Release with SetUnlockResult.
// Results: COMM_OK (also for a "no result" status: nothing is locked, polling
// resumes); COMM_INVALID_ARGUMENT (count null, or out null with an image);
// COMM_STATUS_NOT_INT; COMM_NO_REPLY; COMM_FAILED (bad picture); or the
// sensor's status.
DRAVIK_API int GetNumberOfResults(int first, int second, int withImage, int* count, SensorBitmap** out,
                                  ParameterList* list);

// Lets the sensor find the code (AutoDetectCode with recognition and
// codesPerImage; *value and *codeType receive what it found), then fetches
// general result 0 as GetTestConfigResult does (no "no result" mapping).
DRAVIK_API int GetAutoDetectResults(int recognition, int codesPerImage, int* value, int* codeType,
                                    ParameterList* list, std::vector<uint8_t>* bytes);

// Decodes one image (DecodeImage) and locks its result; on COMM_OK *count
// receives the number of codes found and the result stays locked for the
// getters (release with SetUnlockResult).
// Results: COMM_OK; COMM_INVALID_ARGUMENT (count null); DecodeImage's code;
// or the lock's code.
DRAVIK_API int GetReadCode(int* count);

// The sensor's list of last results ("xmlGetLastResultsList" [which]; the
// program passes 0). The list is emptied and *count set to 0 first; on
// COMM_OK `text` (a caller buffer of DRAVIK_RESULTS_TEXT_SIZE bytes, may be
// null) receives the list's text and the list one entry per stored result.
// Results: COMM_OK; COMM_INVALID_ARGUMENT (count or list null);
// COMM_STATUS_NOT_INT (no reply, or a malformed reply: a negative count or
// entries missing or of other types); or the sensor's status.
DRAVIK_API int GetLastResultsList(int which, char* text, int* count, std::vector<ResultListEntry>* list);

// Retired; sends nothing. Always COMM_NOT_SUPPORTED.
DRAVIK_API int RevertECC200Quality(void);

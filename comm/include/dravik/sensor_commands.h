// libdravik: sensor commands, configuration slots and sensor state.
//
// Every export here sends one method to the connected sensor and returns a
// CommStatus (dravik/comm_status.h):
//   COMM_OK             the sensor answered status 0;
//   COMM_NOT_CONNECTED  no connection; nothing was sent;
//   COMM_FAILED         the request could not be sent at all;
//   COMM_NO_REPLY       nothing came back (exports marked "no reply: 11");
//   COMM_STATUS_NOT_INT the reply's status is missing (exports marked
//                       "no reply: -39"), is not an int, or the reply is a
//                       fault; also a status 0 reply without the values
//                       the export reads after it;
//   any other value     the sensor's own status, passed through.
// Outputs are written only when the result is COMM_OK; a null output
// pointer is skipped. Texts passed in are the caller's and only read during
// the call (null counts as ""). Threads: any thread; calls go to the sensor
// one at a time. A limit is the longest silence the call waits for (twice:
// the call is retried once on a fresh connection); no limit means the call
// waits until the connection fails.
#pragma once

#include "dravik/comm_status.h"
#include "dravik/dravik.h"
#include "dravik/parameter_list.h"

// Room for the texts the sensor sends back: longer texts are cut to the
// size - 1 bytes and a terminating zero.
#define DRAVIK_SENSOR_TIME_SIZE 256
#define DRAVIK_REGEX_RESULT_SIZE 1024

// --- Statistics, trigger and time ------------------------------------------

// "xmlResetStatistics"; no reply: -39. A result lock the library holds is
// released first; polling resumes after any int status.
DRAVIK_API int ResetStatistics(void);
// The same without the unlock and without resuming polling (service state).
DRAVIK_API int ResetStatisticsService(void);
// "xmlForceTrigger"; no reply: -39. Unlock and resume as ResetStatistics.
DRAVIK_API int SimulateTrigger(void);
// "xmlGetSensorStatistics"; no reply: -39. total, good: the readings so far.
// A "no result pending" status (-7099 to -7001) gives COMM_OK with both
// counts 0, clears the result lock and resumes polling.
DRAVIK_API int GetSensorStatistics(int* total, int* good);
// "xmlGetSensorCurrentTime"; no reply: -39. out: DRAVIK_SENSOR_TIME_SIZE
// bytes, receives the sensor's time text.
DRAVIK_API int GetSensorCurrentTime(char* out);

// --- Configuration slots ------------------------------------------------------
// A configuration is named by its slot index (0 to 31), its name as the
// sensor stores it and its group (0 to 7, -1 none). All: no reply: 11.

DRAVIK_API int CreateConfig(int index, const char* name, int group);
DRAVIK_API int EditConfig(int index, const char* name, int group);
DRAVIK_API int DeleteConfig(int index, const char* name, int group);
DRAVIK_API int RenameConfig(int index, const char* name, int group, int targetIndex, const char* newName);
DRAVIK_API int ActivateConfig(int index, const char* name, int group);
DRAVIK_API int ActivateGroup(int group);
// masterType: 0 none, 1 to 3 the master role in the group.
DRAVIK_API int SetAsGroupMaster(int index, const char* name, int group, int masterType);
DRAVIK_API int CopyConfig(int index, const char* name, int group, int targetIndex, const char* targetName,
                          int targetGroup);
DRAVIK_API int MoveConfig(int index, const char* name, int group, int targetIndex, const char* targetName,
                          int targetGroup);
// End the edit that EditConfig or CreateConfig began.
DRAVIK_API int CloseAndSave(void);
DRAVIK_API int CloseAndDiscard(void);

// --- Sensor state ---------------------------------------------------------------

// "xmlGetState"; no reply: 11. state: the sensor's state.
DRAVIK_API int GetState(int* state);
// "xmlSetState", limit 45 s; no reply: 11.
DRAVIK_API int SetState(int state);
// Stops the heartbeat of the connection, so that no further heartbeat calls
// reach a sensor that is about to take a new software image. Always COMM_OK.
DRAVIK_API int StartUpdatingSensor(void);

// --- Commands of the configuration editor and the tests ----------------------
// All: no reply: 11.

DRAVIK_API int RevertCodeDataSettings(int codeType);
// "xmlCalculateExpTime", limit 50 s. A running live image pauses meanwhile.
DRAVIK_API int CalculateExpTime(void);
// "xmlAutoDetectCode" (recognition, codesPerImage), limit 72 s.
// codeType, value: what the sensor found.
DRAVIK_API int AutoDetectCode(int recognition, int codesPerImage, int* codeType, int* value);
// "xmlDecodeImage", limit 50 s.
DRAVIK_API int DecodeImage(void);
DRAVIK_API int CaptureImage(void);
DRAVIK_API int TransmitTestData(void);
DRAVIK_API int TransmitFailData(void);
DRAVIK_API int TransmitMatchString(void);
DRAVIK_API int UpdateRecognitionMode(int mode);
// "xmlCheckRegularExpression" with the three texts; no reply: -39.
// outText: DRAVIK_REGEX_RESULT_SIZE bytes, receives the sensor's result
// text; outInt its result number.
DRAVIK_API int ApplyRegularExpression(const char* text1, const char* text2, const char* text3, char* outText,
                                      int* outInt);

// --- Retired ----------------------------------------------------------------------
// Tell the user not to call them (a notice without owner) and return
// COMM_NOT_SUPPORTED. The list is not touched.
DRAVIK_API int GetECC200Quality(ParameterList* unused);
DRAVIK_API int SetECC200Quality(ParameterList* unused);

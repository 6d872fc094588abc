// libdravik: one XML-RPC connection to one sensor behind flat exports.
//
// Threads: the exports may be called from any thread; Connect and Disconnect
// are serialised with each other, and every sensor call goes through the
// connection's lock, so one exchange is on the wire at a time. An export
// never uses a connection that another thread is tearing down.
// Messages: WM_SENSORNOTIFY (1034) to the window given to Connect, with
// wParam SN_CONNECTION_LOST (5000) when the sensor stops answering, and
// SN_LIVE_IMAGE_FRAME (1000), lParam the image number, for each whole live
// frame while the live image runs.
#pragma once

#include "dravik/comm_status.h"
#include "dravik/files.h"
#include "dravik/parameter_list.h"
#include "dravik/sensor_bitmap.h"
#include "platform/export.h"
#include "platform/window_target.h"

#define DRAVIK_API VT_EXPORT_C

// Room for the texts Connect copies out: longer sensor texts are cut to
// DRAVIK_CONNECT_TEXT_SIZE - 1 bytes and a terminating zero.
#define DRAVIK_CONNECT_TEXT_SIZE 256

// The message the library posts, and its wParam values.
inline constexpr unsigned WM_SENSORNOTIFY = 1034;
enum SensorNotification : int {
    SN_LIVE_IMAGE_FRAME = 1000,
    SN_POLL_RESULT_1 = 1001,
    SN_POLL_RESULT_2 = 1002,
    SN_POLL_RESULT_3 = 1003,
    SN_CONNECTION_LOST = 5000,
};

// Connects to the sensor at host:port (XML-RPC on "/RPC2") and checks that
// sensor and library suit each other; replaces any earlier connection.
// window: the target of the library's messages (may be null: no heartbeat,
// no messages); the caller keeps it alive until Disconnect. key: names the
// connection in the host map (null counts as ""). host, port: the sensor.
// outVersion, outType: caller-owned buffers of DRAVIK_CONNECT_TEXT_SIZE
// bytes (either may be null); on COMM_OK they receive the sensor's software
// version and type texts, otherwise they are left as they were.
// Results: COMM_OK; COMM_FAILED (no connection object, or the request could
// not be sent); COMM_NO_CONNECTION (no local address, no reply to
// "xmlConnect" or to a compatibility request); COMM_KEY_MAPPED_ELSEWHERE (the
// key is in use from another local address); COMM_STATUS_NOT_INT;
// COMM_OTHER_FAMILY; COMM_UNKNOWN_SENSOR_TYPE; COMM_SENSOR_TOO_OLD;
// COMM_LIBRARY_VERSION_NOT_LISTED; or the sensor's own non-zero status.
// After COMM_OK, a sensor status, COMM_STATUS_NOT_INT, COMM_SENSOR_TOO_OLD,
// COMM_KEY_MAPPED_ELSEWHERE or COMM_NO_CONNECTION for want of a local
// address the connection stays in place for the Disconnect that follows;
// after the others the library is not connected.
DRAVIK_API int Connect(VtWindow window, const char* key, const char* host, int port, char* outVersion,
                       char* outType);

// Ends the connection: stops result polling and the live image, tells the
// sensor "xmlDisconnect" when key is the one the connection was made with
// (a null key tells it nothing), closes the connection. Always COMM_OK.
DRAVIK_API int Disconnect(const char* key);

// Gives the connection up at once, without a word to the sensor: the call in
// flight on it fails now, whichever thread makes it (its socket is shut
// down), result polling, the live image and the heartbeat stop, and later
// calls return COMM_NOT_CONNECTED until the next Connect; a Connect running
// meanwhile fails. For a program that must not wait for a sensor that has
// stopped answering (leaving, or a lost connection). Any thread; it waits
// only for the cut calls to return. Always COMM_OK.
DRAVIK_API int AbandonConnection();

// Bounds the calls the calling thread makes from now on: together they end
// within `milliseconds` (each call's own limits still apply), and a call
// begun after that fails at once without being sent. 0 or less lifts the
// bound. Affects the calling thread only. Always COMM_OK.
DRAVIK_API int SetThreadCallDeadline(int milliseconds);

// Asks the sensor to stream its live image ("xmlStartLiveImage") and starts
// receiving it over UDP from host:port (the sensor's address and live-image
// port, 50002 unless the user set another). Each whole frame is announced
// with WM_SENSORNOTIFY, wParam SN_LIVE_IMAGE_FRAME, lParam the image number
// (0 to 65535), until StopLiveImageTransmission or Disconnect.
// Results: COMM_OK; COMM_NOT_CONNECTED; COMM_LIVE_IMAGE_ALREADY_RUNNING;
// COMM_NO_REPLY (no status in the reply); COMM_LIVE_IMAGE_REFUSED (a status
// other than 0); COMM_FAILED (out of memory); COMM_LIVE_IMAGE_SOCKET_FAILED
// (host or port unusable, or the receiver could not start; the sensor may
// then be streaming, and StopLiveImageTransmission answers
// COMM_LIVE_IMAGE_NOT_RUNNING).
DRAVIK_API int StartLiveImageTransmission(const char* host, int port);

// Stops receiving (returns once the receiver's thread has ended) and asks the
// sensor to stop streaming ("xmlStopLiveImage"). The last frame can no longer
// be taken afterwards.
// Results: the sensor's status (COMM_OK when it agreed); COMM_NOT_CONNECTED;
// COMM_LIVE_IMAGE_NOT_RUNNING (nothing sent); COMM_NO_REPLY;
// COMM_STATUS_NOT_INT.
DRAVIK_API int StopLiveImageTransmission();

// The newest whole live frame while the live image runs: on COMM_OK *out is
// a new 320 x 240 SensorBitmap that the caller owns and frees with
// DeleteSensorBitmap. The same frame may be handed out again until a newer
// one arrives. Any thread; callers on several threads take turns.
// Results: COMM_OK; COMM_INVALID_ARGUMENT (out is null);
// COMM_LIVE_IMAGE_NOT_RUNNING (never started since Connect);
// COMM_NO_LIVE_FRAME (stopped, no frame yet, or the frame is not a
// 320 x 240 JPEG picture: *out is then null or left as it was).
DRAVIK_API int GetLastLiveImageTaken(SensorBitmap** out);

// Frees a bitmap that the library handed out; null is ignored.
DRAVIK_API void DeleteSensorBitmap(SensorBitmap* bitmap);

// ---------------------------------------------------------------------------
// Parameter lists: getters and setters of whole records.
//
// Every list is owned by the caller and only used during the call. Any
// thread may call; the calls are serialised on the connection.
// Getters: the list is shaped by a record template (Lib/Palvero/<id>.xml,
// docs/templates.md). A template that cannot be loaded or read returns
// COMM_TEMPLATE_NOT_LOADED (missing), COMM_TEMPLATE_NOT_LOCKED (unreadable)
// or COMM_TEMPLATE_NOT_PARSED and leaves the list as it was. Otherwise the
// list is emptied and, on COMM_OK, refilled with the template's items in
// order, each value taken from the sensor's reply where the reply has an
// element of the item's type there (a short or mistyped reply leaves the
// template's defaults). After a failure the list stays empty. Results:
// COMM_OK; COMM_NOT_CONNECTED (nothing touched); COMM_INVALID_ARGUMENT (null
// list, or a code type without a family: nothing sent, list untouched);
// COMM_NO_REPLY (no reply); COMM_STATUS_NOT_INT; COMM_FAILED (the call could
// not be sent); or the sensor's own status.
// ---------------------------------------------------------------------------

// The 32 configuration slots (template 1002, 192 items: 6 per slot).
DRAVIK_API int GetConfigList(ParameterList* list);
// Configuration data of configuration `id` (0 the one being edited, 2 the
// active one) shaped by `templateId` (1017); 30 s limit.
DRAVIK_API int GetConfigData(ParameterList* list, int id, int templateId);
// The same with the extended template 1018.
DRAVIK_API int GetConfigExtendedData(ParameterList* list, int id);
// Configuration data of the slot named by index, name (null counts as "")
// and group, shaped by `templateId` (1017).
DRAVIK_API int GetInfoConfig(int index, const char* name, int group, ParameterList* list, int templateId);
// The same with the extended template 1018.
DRAVIK_API int GetInfoConfigExtended(int index, const char* name, int group, ParameterList* list);
// The sensor's global settings (template 1014).
DRAVIK_API int GetSensorGlobals(ParameterList* list);
// Code data of the configuration being edited, one family each: Data Matrix
// ECC 200 (1005), PDF417 (1008), QR Code (1011), Aztec Code (2001), bar codes (1001).
DRAVIK_API int GetECC200Data(ParameterList* list);
DRAVIK_API int GetPDF417Data(ParameterList* list);
DRAVIK_API int GetQRCodeData(ParameterList* list);
DRAVIK_API int GetAztecCodeData(ParameterList* list);
DRAVIK_API int GetBarCodeData(ParameterList* list);
// Quality parameters of the configuration being edited: the ECC 200, QR Code
// and Aztec Code form (1003), the PDF417 form (1009), or the form of
// `codeType` (2004 with a composite component, 1003, 1009, 2003).
DRAVIK_API int GetECC200QRQuality(ParameterList* list);
DRAVIK_API int GetPDF417Quality(ParameterList* list);
DRAVIK_API int GetQualityParams(int codeType, ParameterList* list);
// The eight group names (template 1007).
DRAVIK_API int GetGroupList(ParameterList* list);

// Setters send the list as one flat array: a value by its type, a section
// begin or end as its marker string (kSectionBeginMarker, kSectionEndMarker);
// names are not sent. They leave the marker text in `stringValue` of every
// section item of the list (SetConfigData and SetQualityParams excepted).
// The code-data setters send one more end marker after the last item.
// Results: COMM_OK; COMM_NOT_CONNECTED; COMM_INVALID_ARGUMENT (null list, or
// an item of unknown kind or type: nothing is sent, the list is untouched);
// COMM_NO_REPLY; COMM_STATUS_NOT_INT; COMM_FAILED; or the sensor's status.
DRAVIK_API int SetConfigData(ParameterList* list);
DRAVIK_API int SetConfigExtendedData(ParameterList* list);
DRAVIK_API int SetSensorGlobals(ParameterList* list);
DRAVIK_API int SetECC200Data(ParameterList* list);
DRAVIK_API int SetPDF417Data(ParameterList* list);
DRAVIK_API int SetQRCodeData(ParameterList* list);
DRAVIK_API int SetAztecCodeData(ParameterList* list);
DRAVIK_API int SetGroupList(ParameterList* list);
DRAVIK_API int SetBarCodeData(ParameterList* list);
// Quality parameters: section items go out as their names (a list from
// GetQualityParams carries the markers there), and the array ends with two
// end markers. The list must mark its end: its last element is the end
// marker text, or the element before a last text element is (that text is
// then replaced by the marker); otherwise COMM_INVALID_ARGUMENT and nothing
// is sent. `unused` is ignored; the list is not changed.
DRAVIK_API int SetQualityParams(int unused, ParameterList* list);

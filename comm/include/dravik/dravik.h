// libdravik: one XML-RPC connection to one sensor behind flat exports.
//
// Threads: the exports may be called from any thread; Connect and Disconnect
// are serialised with each other, and every sensor call goes through the
// connection's lock, so one exchange is on the wire at a time. An export
// never uses a connection that another thread is tearing down.
// Messages: WM_SENSORNOTIFY (1034) to the window given to Connect, with
// wParam SN_CONNECTION_LOST (5000) when the sensor stops answering.
#pragma once

#include "dravik/comm_status.h"
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

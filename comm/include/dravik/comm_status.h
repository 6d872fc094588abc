// Every result code of libdravik's exports. The sensor's own statuses (other
// negative numbers) pass through unchanged.
#pragma once

enum CommStatus : int {
    COMM_OK = 0,
    // No reply: the call failed after its request was prepared (connection
    // lost or refused, silence twice, a transport or parse error); also the
    // polling thread's end code.
    COMM_NO_REPLY = 11,
    COMM_NO_POLLING_THREAD = 12,
    // Connection object not created; the preset status of a call that could
    // not be sent; no image or not convertible; a page, report or helper step failed.
    COMM_FAILED = -1,
    COMM_DECODED_IMAGE_STATUS_NOT_INT = -2,
    COMM_TEMPLATE_NOT_LOCKED = -3,
    COMM_NOT_CONNECTED = -5,
    // Bad or too long path, code type without a template, quality list without its end marker.
    COMM_INVALID_ARGUMENT = -8,
    COMM_REPORT_SECTION_FAILED = -9,
    COMM_LIVE_IMAGE_REFUSED = -21,
    COMM_LIVE_IMAGE_NOT_RUNNING = -22,
    COMM_NO_LIVE_FRAME = -23,
    COMM_LIVE_IMAGE_SOCKET_FAILED = -24,
    COMM_LIVE_IMAGE_ALREADY_RUNNING = -25,
    // Connect: the key is mapped to another local address.
    COMM_KEY_MAPPED_ELSEWHERE = -28,
    // Service report: a list is shorter than its template (same number).
    COMM_LIST_SHORTER_THAN_TEMPLATE = -28,
    COMM_LIVE_IMAGE_NOT_STOPPED = -34,
    COMM_LIVE_IMAGE_RUNNING = -35,
    // A file or folder could not be opened or created; the language library does not exist.
    COMM_FILE_ERROR = -36,
    COMM_NOT_A_FOLDER = -37,
    // Connect: no local address, no reply to "xmlConnect" or to a compatibility list request.
    COMM_NO_CONNECTION = -38,
    COMM_STATUS_NOT_INT = -39,
    COMM_NOT_SUPPORTED = -40,
    // The language library is not usable or lacks its style sheet; an upload path is not a regular file.
    COMM_BAD_LIBRARY_FILE = -42,
    COMM_REPORT_NOT_WRITTEN = -51,
    COMM_TEMPLATE_NOT_PARSED = -52,
    COMM_TEMPLATE_NOT_LOADED = -60,
    COMM_OTHER_FAMILY = -71,
    COMM_LIBRARY_VERSION_NOT_LISTED = -75,
    COMM_UNKNOWN_SENSOR_TYPE = -76,
    // Empty sensor type, or a sensor software version not above the first listed one.
    COMM_SENSOR_TOO_OLD = -78,
    COMM_ARCHIVE_NOTHING_SAVED = -4006,
    COMM_REPORT_RESULTS_INCOMPLETE = -19050,
    // Sensor statuses meaning that no locked result is pending.
    COMM_NO_LOCKED_RESULT_FIRST = -7099,
    COMM_NO_LOCKED_RESULT_LAST = -7001,
};

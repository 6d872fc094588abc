// UpdateStatus: the results of libbrimsol's exports. The sensor's own result
// of an update passes through Brimsol_update unchanged (Brimsol_strerror
// has texts for 0 to 15); the library adds the codes below.
#pragma once

#include <cstdint>

typedef int32_t UpdateStatus;

inline constexpr UpdateStatus BRIMSOL_OK = 0;
// The image file cannot be found or opened (also a null name, or a wide name
// that is not valid UTF-16).
inline constexpr UpdateStatus BRIMSOL_FILE_NOT_FOUND = 1;
// The file is empty or not a regular file, or it changed size while read.
inline constexpr UpdateStatus BRIMSOL_FILE_SIZE = 2;
// No image file named, or a name too long to keep (511 bytes, or 511 UTF-16
// units, at most).
inline constexpr UpdateStatus BRIMSOL_NO_FILE_NAME = 3;
// The call did not come through (the sensor dropped the connection, answered
// with a fault or with no int result); "xmlAfterSWU" was sent.
inline constexpr UpdateStatus BRIMSOL_SEND_FAILED = 5;
// No client for the host and port given (no host text, a port outside 1 to
// 65535), or no memory to hold the image and its request.
inline constexpr UpdateStatus BRIMSOL_NO_CLIENT = -1;

// libbrimsol: sends a software image to the sensor and explains its result codes.
#pragma once

#include "platform/export.h"

#define BRIMSOL_API VT_EXPORT_C

// Copies the fixed English text of an update result code into buf.
// Owner: the caller owns buf (len bytes). Any thread.
// The text is cut to len - 1 characters and a terminating zero; len 0 writes nothing.
BRIMSOL_API void Brimsol_strerror(int code, char* buf, unsigned len);

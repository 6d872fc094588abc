// Writing a file so that a failure leaves an older file of that name as it
// was: the bytes go to a new file beside it, which replaces the old one only
// once it is complete.
#pragma once

#include <string>
#include <string_view>

namespace dravik {

// False when the folder cannot be written or the file not completed; the
// target is then untouched and no temporary file is left behind.
bool replaceFile(const std::string& path, std::string_view bytes);

// The whole content of a regular file; false for anything else (a folder,
// a missing or unreadable file).
bool readRegularFile(const std::string& path, std::string& bytes);

}  // namespace dravik

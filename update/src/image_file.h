// The update image on disk.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "brimsol/brimsol_status.h"

namespace brimsol {

// Whether path names a usable image: BRIMSOL_OK, BRIMSOL_FILE_NOT_FOUND,
// BRIMSOL_FILE_SIZE (empty, or not a regular file).
UpdateStatus checkImageFile(const std::string& path);

// Reads the whole image into bytes. BRIMSOL_FILE_SIZE also when the file
// does not hold, to the byte, the size it had when opened: an image that
// changes while it is read is not sent.
UpdateStatus readImageFile(const std::string& path, std::vector<unsigned char>& bytes);

// Reads exactly size bytes of file into bytes: BRIMSOL_OK, or
// BRIMSOL_FILE_SIZE (bytes empty) when the file ends sooner or goes on.
UpdateStatus readExactly(std::FILE* file, std::size_t size, std::vector<unsigned char>& bytes);

}  // namespace brimsol

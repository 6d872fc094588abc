// The result archive: a page and a picture for every stored result, packed
// into one gzip-compressed tar file named by the local time.
#pragma once

#include <string>

#include "sensor_reader.h"

namespace dravik {

// Writes folder/<stamp>.tar.gz whose entries lie in the one folder
// <stamp>/: Result<n>.html and Result<n><n>.bmp per stored result n. When
// that name is taken (two archives in one second) "_2", "_3", ... follow
// the stamp. The pages are written into folder/<stamp>/ first, which is
// removed once the archive is complete.
// Results: COMM_OK (an empty list with `which` other than 1 writes nothing);
// COMM_ARCHIVE_NOTHING_SAVED (empty list, which == 1); COMM_NOT_A_FOLDER
// (folder not a folder, or no work folder can be made); a failing page's
// code (the work folder is removed); COMM_FILE_ERROR when packing fails:
// no archive is left, and the work folder with every page stays for the
// user. `archivePath` (may be null) receives the archive's or, after a
// failed packing, the work folder's path.
int SaveAllResultsTo(SensorReader& reader, const std::string& folder, int which, bool byteOrderMark,
                     const std::string& stamp, std::string* archivePath = nullptr);

// The local time as "%04d%02d%02d_%02d%02d%02d".
std::string ArchiveStamp();

}  // namespace dravik

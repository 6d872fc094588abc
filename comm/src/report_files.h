// The service report as files: Report.xml, its style sheets and the
// pictures of the stored results, in one folder.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "sensor_reader.h"

namespace dravik {

// Writes the report of the sensor behind `reader` into `folder`: the
// pictures, "Report.xml" (UTF-16, with a byte-order mark only with
// `byteOrderMark`), "Report.xsl" and "Report.css" from the template library
// and "language.xsl" from the language folder when that sheet is not empty.
// Results: COMM_OK; a style sheet's load code (nothing written); a code
// that stopped the generation (no report written); COMM_REPORT_NOT_WRITTEN
// when Report.xml cannot be written (an older one stays as it was, no
// sheets are written); COMM_FILE_ERROR when a style sheet cannot be written;
// else the generation's remembered code (a result that could not be read).
int WriteServiceReport(SensorReader& reader, const std::string& folder, int which, bool byteOrderMark,
                       std::FILE* trace = stdout);

// The language folder whose sheet the report takes: the one DefineDravikLocale
// registered, else the English one in Lib/ (empty when neither is known).
std::filesystem::path LanguageSheetDir();

// Registers the language folder (its strings.txt and its sheet 2000).
// COMM_OK; COMM_INVALID_ARGUMENT (null, or 512 characters or more);
// COMM_FILE_ERROR (does not exist); COMM_BAD_LIBRARY_FILE (not a language
// folder, or without its sheet).
int DefineLanguageFolder(const char16_t* folder, int flag);

}  // namespace dravik

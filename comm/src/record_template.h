// The record templates: which XML template shapes which parameter list, and
// the fetch that turns a template into a list of typed default items.
#pragma once

#include <filesystem>

#include "dravik/parameter_list.h"

namespace dravik {

// Ids of the templates in Lib/Palvero/ (docs/templates.md lists their items).
enum RecordTemplateId : int {
    TEMPLATE_BARCODE_DATA = 1001,
    TEMPLATE_CONFIG_LIST = 1002,
    TEMPLATE_QUALITY_ECC200_QR_AZTEC = 1003,
    TEMPLATE_ECC200_DATA = 1005,
    TEMPLATE_ECC200_RESULT = 1006,
    TEMPLATE_GROUP_LIST = 1007,
    TEMPLATE_PDF417_DATA = 1008,
    TEMPLATE_PDF417_QUALITY = 1009,
    TEMPLATE_PDF417_RESULT = 1010,
    TEMPLATE_QR_DATA = 1011,
    TEMPLATE_QR_RESULT = 1012,
    TEMPLATE_READ_RESULT = 1013,
    TEMPLATE_SENSOR_GLOBALS = 1014,
    TEMPLATE_CONFIG_DATA = 1017,
    TEMPLATE_CONFIG_EXTENDED_DATA = 1018,
    TEMPLATE_AZTEC_DATA = 2001,
    TEMPLATE_AZTEC_RESULT = 2002,
    TEMPLATE_BARCODE_QUALITY = 2003,
    TEMPLATE_COMPOSITE_QUALITY = 2004,
};

// The template folder: Lib/Palvero/ beside this library (VT_LIB_DIR overrides
// Lib/); empty when the library's own folder cannot be found.
std::filesystem::path templateDir();

// Loads template `templateId` and reads it into `out`. Returns 0, or the first
// failure of the load (COMM_TEMPLATE_NOT_LOADED, COMM_TEMPLATE_NOT_LOCKED) or the read
// (COMM_TEMPLATE_NOT_PARSED); on failure `out` is left as it was. Any thread.
int FetchRecordTemplate(ParameterList& out, int templateId);

// Deletes the process-wide template reader (at disconnect); the next fetch
// makes a new one. Waits for a fetch in progress.
void ReleaseTemplateReader();

}  // namespace dravik

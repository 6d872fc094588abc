// Loads the text of one resource of an outside resource library folder.
#pragma once

#include <filesystem>
#include <string>

namespace dravik {

// A resource is the file "<id>.<extension>" in the library's folder (for the
// templates Lib/Palvero/, e.g. 1017.xml).
class CXmlFileLoader {
public:
    // 0 and the file's text up to its first zero byte; COMM_TEMPLATE_NOT_LOADED when
    // the folder or the file does not exist; COMM_TEMPLATE_NOT_LOCKED when the file
    // exists but cannot be read. The text is written only on success.
    int Load(const std::filesystem::path& libraryDir, int resourceId, std::string& text) const;
};

}  // namespace dravik

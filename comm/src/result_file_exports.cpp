// The exports that write what the sensor read into files: the single-result
// page, the result archive and the service report, and the language whose
// sheet the report takes.
#include <filesystem>
#include <string>

#include "command_frame.h"
#include "connected_sensor_reader.h"
#include "dravik/files.h"
#include "report_files.h"
#include "result_archive.h"
#include "result_page.h"
#include "utf16_text.h"

namespace dravik {

namespace {

constexpr std::size_t kPagePathLimit = 2048;
constexpr std::size_t kArchiveFolderLimit = 1024;

std::size_t utf16Length(const std::string& utf8) {
    return utf8ToUtf16(utf8).size();
}

int saveCurrentResult(const std::optional<std::string>& path, bool byteOrderMark, int second, int resultId) {
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    if (!path) return COMM_FAILED;
    if (path->empty() || utf16Length(*path) > kPagePathLimit) return COMM_INVALID_ARGUMENT;
    ConnectedSensorReader reader(connection);
    return SaveResultPage(reader, *path, byteOrderMark, second, resultId, PageTimeText());
}

int saveAllResults(const std::string& folder, int which, bool byteOrderMark) {
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    ConnectedSensorReader reader(connection);
    return SaveAllResultsTo(reader, folder, which, byteOrderMark, ArchiveStamp());
}

int generateServiceReport(const std::optional<std::string>& folder, int which, bool byteOrderMark) {
    const std::shared_ptr<XmlRpcClientTimeout> connection = leaseConnection();
    if (!connection) return COMM_NOT_CONNECTED;
    if (!folder || folder->empty()) return COMM_INVALID_ARGUMENT;
    ConnectedSensorReader reader(connection);
    return WriteServiceReport(reader, *folder, which, byteOrderMark);
}

std::optional<std::string> narrow(const char* text) {
    if (text == nullptr) return std::nullopt;
    return std::string(text);
}

}  // namespace

}  // namespace dravik

using namespace dravik;

int SaveCurrentResult(const char* path, int second, int resultId) {
    return guarded([&] { return saveCurrentResult(narrow(path), false, second, resultId); });
}

int SaveCurrentResultW(const char16_t* path, int second, int resultId) {
    return guarded([&] { return saveCurrentResult(widePath(path), true, second, resultId); });
}

int SaveAllResults(const char* folder, int which, int) {
    return guarded([&] { return saveAllResults(folder != nullptr ? folder : "", which, false); });
}

int SaveAllResultsW(const char16_t* folder, int which, int) {
    return guarded([&] {
        const std::optional<std::string> path = widePath(folder);
        if (!leaseConnection()) return int(COMM_NOT_CONNECTED);
        if (!path || path->empty() || utf16Length(*path) > kArchiveFolderLimit || which < 0)
            return int(COMM_INVALID_ARGUMENT);
        return saveAllResults(*path, which, true);
    });
}

int GenerateServiceReport(const char* folder, int which) {
    return guarded([&] { return generateServiceReport(narrow(folder), which, false); });
}

int GenerateServiceReportW(const char16_t* folder, int which) {
    return guarded([&] { return generateServiceReport(widePath(folder), which, true); });
}

int DefineDravikLocale(const char16_t* languageLibrary, int flag, int) {
    return guarded([&] { return DefineLanguageFolder(languageLibrary, flag); });
}

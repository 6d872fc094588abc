#include "report_files.h"

#include <sys/stat.h>

#include <ctime>
#include <mutex>

#include "dravik/comm_status.h"
#include "file_replace.h"
#include "library_state.h"
#include "platform/lib_dir.h"
#include "platform/string_table.h"
#include "record_template.h"
#include "service_report.h"
#include "utf16_text.h"
#include "xml_file_loader.h"

namespace dravik {

namespace {

namespace fs = std::filesystem;

constexpr int kReportSheet = 1016;
constexpr int kReportCss = 1015;
constexpr int kLanguageSheet = 2000;
constexpr unsigned kLanguageBaseNameId = 101;
constexpr const char* kEnglishSuffix = "09";
constexpr std::size_t kLanguagePathLimit = 512;

bool isLanguageFolder(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder, ec) && fs::is_regular_file(folder / "strings.txt", ec);
}

fs::path englishFolder() {
    const fs::path lib = vt::libDirFor(reinterpret_cast<const void*>(&englishFolder));
    if (lib.empty()) return {};
    vt::StringTable common;
    if (!common.load(lib / "Zentrafel" / "strings.txt").ok) return {};
    const auto base = common.get(kLanguageBaseNameId);
    if (!base || base->empty()) return {};
    return lib / (std::string(*base) + kEnglishSuffix);
}

}  // namespace

fs::path LanguageSheetDir() {
    {
        LibraryState& state = libraryState();
        std::lock_guard lock(state.mutex);
        if (state.languageLibraryPathSet) return fs::path(utf16ToUtf8(state.languageLibraryPath));
    }
    return englishFolder();
}

int DefineLanguageFolder(const char16_t* folder, int flag) {
    if (folder == nullptr) return COMM_INVALID_ARGUMENT;
    const std::u16string path(folder);
    if (path.size() >= kLanguagePathLimit) return COMM_INVALID_ARGUMENT;
    const fs::path local(utf16ToUtf8(path));
    struct stat info {};
    if (path.empty() || ::stat(local.c_str(), &info) != 0) return COMM_FILE_ERROR;
    std::string sheet;
    if (!isLanguageFolder(local) || CXmlFileLoader().Load(local, kLanguageSheet, sheet) != COMM_OK)
        return COMM_BAD_LIBRARY_FILE;
    LibraryState& state = libraryState();
    std::lock_guard lock(state.mutex);
    state.languageLibraryPath = path;
    state.languageLibraryPathSet = true;
    state.languageFlag = flag;
    return COMM_OK;
}

int WriteServiceReport(SensorReader& reader, const std::string& folder, int which, bool byteOrderMark,
                       std::FILE* trace) {
    std::string reportSheet;
    std::string reportCss;
    std::string languageSheet;
    const CXmlFileLoader loader;
    if (const int code = loader.Load(templateDir(), kReportSheet, reportSheet); code != COMM_OK) return code;
    if (const int code = loader.Load(templateDir(), kReportCss, reportCss); code != COMM_OK) return code;
    if (const fs::path language = LanguageSheetDir(); !language.empty())
        loader.Load(language, kLanguageSheet, languageSheet);

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    CServiceReport report(reader, folder, local, trace);
    const int generated = report.Generate(which);
    if (CServiceReport::StopsGeneration(generated)) return generated;

    const fs::path base(folder);
    if (const int saved = report.Save((base / "Report.xml").string(), byteOrderMark); saved != COMM_OK)
        return saved;
    if (!replaceFile((base / "Report.xsl").string(), reportSheet) ||
        !replaceFile((base / "Report.css").string(), reportCss))
        return COMM_FILE_ERROR;
    if (!languageSheet.empty() && !replaceFile((base / "language.xsl").string(), languageSheet))
        return COMM_FILE_ERROR;
    return generated;
}

}  // namespace dravik

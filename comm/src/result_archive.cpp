#include "result_archive.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "dravik/comm_status.h"
#include "file_replace.h"
#include "result_page.h"

namespace dravik {

namespace fs = std::filesystem;

namespace {

struct ArchiveCloser {
    void operator()(archive* a) const { archive_write_free(a); }
};
struct EntryCloser {
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};

bool addFile(archive* out, const fs::path& file, const std::string& entryName) {
    std::string bytes;
    if (!readRegularFile(file.string(), bytes)) return false;
    std::unique_ptr<archive_entry, EntryCloser> entry(archive_entry_new());
    if (!entry) return false;
    archive_entry_set_pathname(entry.get(), entryName.c_str());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0644);
    archive_entry_set_size(entry.get(), static_cast<la_int64_t>(bytes.size()));
    archive_entry_set_mtime(entry.get(), std::time(nullptr), 0);
    if (archive_write_header(out, entry.get()) != ARCHIVE_OK) return false;
    return bytes.empty() ||
           archive_write_data(out, bytes.data(), bytes.size()) == static_cast<la_ssize_t>(bytes.size());
}

// Packs every file of the work folder under "<name>/"; false on any failure,
// and then no archive file is left.
bool pack(const fs::path& workFolder, const std::string& name, const fs::path& archivePath) {
    const int fd = ::open(archivePath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = true;
    {
        std::unique_ptr<archive, ArchiveCloser> out(archive_write_new());
        ok = out && archive_write_add_filter_gzip(out.get()) == ARCHIVE_OK &&
             archive_write_set_format_pax_restricted(out.get()) == ARCHIVE_OK &&
             archive_write_open_fd(out.get(), fd) == ARCHIVE_OK;
        std::error_code ec;
        std::vector<fs::path> files;
        for (fs::directory_iterator it(workFolder, ec), end; ok && !ec && it != end; it.increment(ec))
            files.push_back(it->path());
        ok = ok && !ec;
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            if (!ok) break;
            ok = addFile(out.get(), file, name + "/" + file.filename().string());
        }
        // Closing flushes the compressor: its result decides as well.
        if (out && archive_write_close(out.get()) != ARCHIVE_OK) ok = false;
    }
    if (::close(fd) != 0) ok = false;
    if (!ok) ::unlink(archivePath.c_str());
    return ok;
}

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string ArchiveStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32] = {};
    std::snprintf(text, sizeof text, "%04d%02d%02d_%02d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

int SaveAllResultsTo(SensorReader& reader, const std::string& folder, int which, bool byteOrderMark,
                     const std::string& stamp, std::string* archivePath) {
    std::vector<StoredResult> entries;
    const int listed = reader.GetLastResultsList(which, entries);
    if (listed != COMM_OK) return listed;
    if (folder.empty() || !isFolder(folder)) return COMM_NOT_A_FOLDER;

    // The work folder claims the name: a name whose folder or archive exists is passed over.
    std::string name;
    fs::path workFolder;
    for (int n = 1; n <= 1000 && workFolder.empty(); ++n) {
        const std::string candidate = n == 1 ? stamp : stamp + "_" + std::to_string(n);
        const fs::path folderPath = fs::path(folder) / candidate;
        if (fs::exists(fs::path(folder) / (candidate + ".tar.gz"))) continue;
        if (::mkdir(folderPath.c_str(), 0777) == 0) {
            name = candidate;
            workFolder = folderPath;
        } else if (errno != EEXIST) {
            return COMM_NOT_A_FOLDER;
        }
    }
    if (workFolder.empty()) return COMM_NOT_A_FOLDER;

    std::error_code ec;
    const std::string savedOn = PageTimeText();
    for (const StoredResult& entry : entries) {
        const fs::path page = workFolder / ("Result" + std::to_string(entry.resultNumber) + ".html");
        const int status =
            SaveResultPage(reader, page.string(), byteOrderMark, which, entry.resultNumber, savedOn);
        if (status != COMM_OK) {
            fs::remove_all(workFolder, ec);
            return status;
        }
    }
    if (entries.empty()) {
        fs::remove_all(workFolder, ec);
        return which == 1 ? COMM_ARCHIVE_NOTHING_SAVED : COMM_OK;
    }
    const fs::path archive = fs::path(folder) / (name + ".tar.gz");
    if (!pack(workFolder, name, archive)) {
        if (archivePath != nullptr) *archivePath = workFolder.string();
        return COMM_FILE_ERROR;
    }
    if (archivePath != nullptr) *archivePath = archive.string();
    fs::remove_all(workFolder, ec);
    return COMM_OK;
}

}  // namespace dravik

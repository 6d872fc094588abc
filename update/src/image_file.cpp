#include "image_file.h"

#include <sys/stat.h>

#include <memory>

namespace brimsol {

namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

UpdateStatus sizeStatus(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_size > 0 ? BRIMSOL_OK : BRIMSOL_FILE_SIZE;
}

}  // namespace

UpdateStatus checkImageFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return BRIMSOL_FILE_NOT_FOUND;
    return sizeStatus(info);
}

UpdateStatus readImageFile(const std::string& path, std::vector<unsigned char>& bytes) {
    std::unique_ptr<std::FILE, CloseFile> file(std::fopen(path.c_str(), "rb"));
    if (!file) return BRIMSOL_FILE_NOT_FOUND;
    struct stat info {};
    if (::fstat(fileno(file.get()), &info) != 0) return BRIMSOL_FILE_SIZE;
    if (UpdateStatus s = sizeStatus(info); s != BRIMSOL_OK) return s;
    return readExactly(file.get(), static_cast<std::size_t>(info.st_size), bytes);
}

UpdateStatus readExactly(std::FILE* file, std::size_t size, std::vector<unsigned char>& bytes) {
    bytes.resize(size);
    if (std::fread(bytes.data(), 1, size, file) != size || std::fgetc(file) != EOF) {
        bytes.clear();
        return BRIMSOL_FILE_SIZE;
    }
    return BRIMSOL_OK;
}

}  // namespace brimsol

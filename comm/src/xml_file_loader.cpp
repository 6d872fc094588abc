#include "xml_file_loader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <system_error>

#include "xml_config_reader.h"

namespace dravik {
namespace {

// The file "<id>.<extension>" in the folder; of several, the first by name.
std::filesystem::path findResource(const std::filesystem::path& dir, int resourceId) {
    const std::string stem = std::to_string(resourceId);
    std::filesystem::path found;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const auto& path = it->path();
        if (path.stem() != stem || !path.has_extension()) continue;
        if (found.empty() || path.filename() < found.filename()) found = path;
    }
    return found;
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

int CXmlFileLoader::Load(const std::filesystem::path& libraryDir, int resourceId, std::string& text) const {
    if (libraryDir.empty()) return COMM_TEMPLATE_NOT_LOADED;
    const auto path = findResource(libraryDir, resourceId);
    if (path.empty()) return COMM_TEMPLATE_NOT_LOADED;

    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return errno == ENOENT ? COMM_TEMPLATE_NOT_LOADED : COMM_TEMPLATE_NOT_LOCKED;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return COMM_TEMPLATE_NOT_LOCKED;

    std::string bytes;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return COMM_TEMPLATE_NOT_LOCKED;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    // A resource's text ends at its first zero byte.
    if (const auto zero = bytes.find('\0'); zero != std::string::npos) bytes.resize(zero);
    text = std::move(bytes);
    return 0;
}

}  // namespace dravik

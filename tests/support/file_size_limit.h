// Makes every file write beyond a size fail (EFBIG) for as long as it lives,
// so a test can show what a failed write leaves behind even when it runs as
// root, for whom no folder is read-only.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <stdexcept>

namespace vt::test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        if (::getrlimit(RLIMIT_FSIZE, &saved_) != 0) throw std::runtime_error("getrlimit failed");
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        if (::setrlimit(RLIMIT_FSIZE, &limited) != 0) throw std::runtime_error("setrlimit failed");
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace vt::test

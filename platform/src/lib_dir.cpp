#include "platform/lib_dir.h"

#include <dlfcn.h>

#include <cstdlib>

namespace vt {

std::filesystem::path moduleDirOf(const void* addressInModule) {
    Dl_info info{};
    if (dladdr(addressInModule, &info) == 0 || info.dli_fname == nullptr) return {};
    std::error_code ec;
    auto file = std::filesystem::canonical(info.dli_fname, ec);
    if (ec) return {};
    return file.parent_path();
}

std::filesystem::path libDirFor(const void* addressInModule) {
    if (const char* forced = std::getenv(kLibDirEnv); forced != nullptr && *forced != '\0')
        return std::filesystem::path(forced);
    auto dir = moduleDirOf(addressInModule);
    if (dir.empty()) return {};
    return dir / "Lib";
}

}  // namespace vt

// The flat exports and the library's one set of state: the image's names.
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "brimsol/brimsol.h"
#include "image_file.h"
#include "platform/utf16_path.h"
#include "sensor_update.h"

namespace brimsol {
namespace {

// Each name must fit 512 units with its terminating zero.
constexpr std::size_t kMaxNameLength = 511;

struct LibraryState {
    std::mutex namesMutex;  // guards the two names; held only briefly
    std::string narrowName;
    std::u16string wideName;
    // One update at a time; naming the next file never waits for one.
    std::mutex updateMutex;
};

// Set by each update for the thread that ran it.
thread_local bool lastUpdateLost = false;

LibraryState& state() {
    static LibraryState instance;
    return instance;
}

// The length of a zero-terminated name, or more than the limit when it is longer.
template <class Char>
std::size_t boundedLength(const Char* text) {
    std::size_t n = 0;
    while (n <= kMaxNameLength && text[n] != Char{}) ++n;
    return n;
}

std::unique_ptr<UpdateClient> makeClient(const char* host, int port) {
    if (host == nullptr || *host == '\0' || port < 1 || port > 65535) return nullptr;
    return std::make_unique<UpdateClient>(host, port, "/RPC2");
}

// The file to send: the wide name when there is one, else the narrow;
// false when neither is set.
bool currentPath(std::string& path) {
    auto& s = state();
    std::lock_guard lock(s.namesMutex);
    if (s.wideName.empty()) {
        path = s.narrowName;
        return !path.empty();
    }
    auto utf8 = vt::utf8Path(s.wideName);  // checked when the name was set
    path = utf8.value_or(std::string());
    return true;
}

void clearNames() {
    auto& s = state();
    std::lock_guard lock(s.namesMutex);
    s.narrowName.clear();
    s.wideName.clear();
}

std::optional<std::string> fileSystemName(const std::string& name) {
    return name;
}
std::optional<std::string> fileSystemName(const std::u16string& name) {
    return vt::utf8Path(name);
}

// Checks the file that path names and keeps path in slot; a refused name
// leaves slot as it was.
template <class Char>
UpdateStatus setName(const Char* path, std::basic_string<Char> LibraryState::*slot) {
    if (path == nullptr) return BRIMSOL_FILE_NOT_FOUND;
    const std::size_t length = boundedLength(path);
    if (length > kMaxNameLength) return BRIMSOL_NO_FILE_NAME;
    try {
        std::basic_string<Char> name(path, length);
        const auto file = fileSystemName(name);
        if (!file) return BRIMSOL_FILE_NOT_FOUND;
        if (UpdateStatus s = checkImageFile(*file); s != BRIMSOL_OK) return s;
        auto& st = state();
        std::lock_guard lock(st.namesMutex);
        st.*slot = std::move(name);
        return BRIMSOL_OK;
    } catch (...) {
        return BRIMSOL_FILE_NOT_FOUND;
    }
}

UpdateStatus update(const char* host, int port) {
    std::string path;
    if (!currentPath(path)) return BRIMSOL_NO_FILE_NAME;
    auto client = makeClient(host, port);
    if (!client) return BRIMSOL_NO_CLIENT;
    std::vector<unsigned char> image;
    if (UpdateStatus s = readImageFile(path, image); s != BRIMSOL_OK) return s;
    const UpdateStatus result = sendImage(*client, host, port, image, lastUpdateLost);
    clearNames();
    return result;
}

}  // namespace
}  // namespace brimsol

using namespace brimsol;

int Brimsol_setfilename(const char* path) {
    return setName(path, &LibraryState::narrowName);
}

int Brimsol_setfilenameW(const char16_t* path) {
    return setName(path, &LibraryState::wideName);
}

int Brimsol_update(const char* host, int port) {
    auto& s = state();
    std::lock_guard lock(s.updateMutex);
    lastUpdateLost = false;
    try {
        return update(host, port);
    } catch (...) {
        // No memory for the image or its request.
        return BRIMSOL_NO_CLIENT;
    }
}

int Brimsol_lostconnection(void) {
    return lastUpdateLost ? 1 : 0;
}

// Finds the Lib/ folder that holds the data of the outside resource libraries
// (string tables, record templates, style sheets, bitmaps).
//
// Lib/ lies beside the module (program or shared library) that asks; the
// environment variable VT_LIB_DIR overrides it, for tests. The current folder
// is never used.
#pragma once

#include <filesystem>

namespace vt {

inline constexpr const char* kLibDirEnv = "VT_LIB_DIR";

// The folder of the module that contains the given address (a function or
// variable of the caller's module); empty when it cannot be found.
std::filesystem::path moduleDirOf(const void* addressInModule);

// VT_LIB_DIR when set and not empty, else moduleDirOf(address) / "Lib".
std::filesystem::path libDirFor(const void* addressInModule);

}  // namespace vt

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/lib_dir.h"

namespace {

void anchor() {}

TEST(LibDir, FoundBesideTheModuleUnlessOverridden) {
    ::unsetenv(vt::kLibDirEnv);
    auto moduleDir = vt::moduleDirOf(reinterpret_cast<const void*>(&anchor));
    ASSERT_FALSE(moduleDir.empty());
    EXPECT_TRUE(std::filesystem::exists(moduleDir / "platform_tests")) << moduleDir;
    EXPECT_EQ(vt::libDirFor(reinterpret_cast<const void*>(&anchor)), moduleDir / "Lib");

    ::setenv(vt::kLibDirEnv, "/some/where/Lib", 1);
    EXPECT_EQ(vt::libDirFor(reinterpret_cast<const void*>(&anchor)), "/some/where/Lib");
    ::setenv(vt::kLibDirEnv, "", 1);
    EXPECT_EQ(vt::libDirFor(reinterpret_cast<const void*>(&anchor)), moduleDir / "Lib")
        << "an empty override counts as none";
    ::unsetenv(vt::kLibDirEnv);
}

}  // namespace

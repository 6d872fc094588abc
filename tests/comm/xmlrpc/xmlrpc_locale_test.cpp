// Doubles go out and come in the same whatever the process locale: a
// program's locale may use a decimal comma.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "xmlrpc/XmlRpcValue.h"

using XmlRpc::XmlRpcValue;

namespace {

// Builds a German locale into a folder of the test's own, since the machine
// may have none installed.
bool useCommaLocale(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    std::string cmd = "localedef -i de_DE -f UTF-8 '" + (dir / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) return false;
    setenv("LOCPATH", dir.c_str(), 1);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) return false;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%f", 1.5);
    return std::string(buf) == "1,500000";
}

TEST(Locale, DoublesIgnoreADecimalComma) {
    auto dir = std::filesystem::temp_directory_path() / ("vt-locale-" + std::to_string(::getpid()));
    if (!useCommaLocale(dir)) {
        std::setlocale(LC_ALL, "C");
        std::filesystem::remove_all(dir);
        GTEST_SKIP() << "no locale with a decimal comma can be built here";
    }
    EXPECT_EQ(XmlRpcValue(1.5).toXml(), "<value><double>1.500000</double></value>");
    XmlRpcValue v;
    int offset = 0;
    ASSERT_TRUE(v.fromXml(std::string("<value><double>2.25</double></value>"), &offset));
    EXPECT_EQ(v, XmlRpcValue(2.25));
    offset = 0;
    EXPECT_FALSE(v.fromXml(std::string("<value><double>2,25</double></value>"), &offset));

    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
    std::filesystem::remove_all(dir);
}

}  // namespace

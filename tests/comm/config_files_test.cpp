// Configuration files: download and upload against the simulated sensor.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "dravik_fixture.h"
#include "file_size_limit.h"
#include "sim/config_file_methods.h"
#include "temp_dir.h"

namespace {

using vt::sim::ConfigFileStore;
using XmlRpc::XmlRpcValue;

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

ConfigFileStore::Bytes everyByteValue() {
    ConfigFileStore::Bytes bytes;
    for (int round = 0; round < 3; ++round)
        for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<unsigned char>(b));
    return bytes;
}

std::string asText(const ConfigFileStore::Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

class ConfigFilesTest : public vt::test::DravikFixture {
protected:
    void SetUp() override {
        DravikFixture::SetUp();
        vt::sim::addConfigFileMethods(server, store);
    }

    ConfigFileStore store;
    vt::test::TempDir dir;
};

struct RoundTrip {
    const char* name;
    ConfigFileStore::Bytes bytes;
    bool wide;
};

class ConfigFileRoundTrip : public ConfigFilesTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(ConfigFileRoundTrip, DownloadThenUploadKeepsEveryByte) {
    ASSERT_EQ(connect(), COMM_OK);
    store.set(3, GetParam().bytes);
    const auto file = dir.path() / "Konfiguration ä.cfg";
    const std::u16string widePath = file.u16string();
    if (GetParam().wide) {
        ASSERT_EQ(DownloadConfigW(3, "name", 0, widePath.c_str()), COMM_OK);
    } else {
        ASSERT_EQ(DownloadConfig(3, "name", 0, file.c_str()), COMM_OK);
    }
    EXPECT_EQ(readFile(file), asText(GetParam().bytes));
    // Only the finished file is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    const int uploaded = GetParam().wide ? UploadConfigW(9, "other", 1, widePath.c_str())
                                         : UploadConfig(9, "other", 1, file.c_str());
    ASSERT_EQ(uploaded, COMM_OK);
    ASSERT_TRUE(store.get(9));
    EXPECT_EQ(*store.get(9), GetParam().bytes);

    const auto calls = server.calls();
    const auto& upload = calls.back();
    ASSERT_EQ(upload.method, "xmlUploadConfig");
    ASSERT_EQ(upload.params.size(), 4);
    EXPECT_EQ(upload.params[0], XmlRpcValue(9));
    EXPECT_EQ(upload.params[1], XmlRpcValue("other"));
    EXPECT_EQ(upload.params[2], XmlRpcValue(1));
}

INSTANTIATE_TEST_SUITE_P(Files, ConfigFileRoundTrip,
                         ::testing::Values(RoundTrip{"EveryByteNarrow", everyByteValue(), false},
                                           RoundTrip{"EveryByteWide", everyByteValue(), true},
                                           RoundTrip{"EmptyNarrow", {}, false},
                                           RoundTrip{"EmptyWide", {}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigFilesTest, WideArgumentsAreCheckedBeforeAnyCall) {
    ASSERT_EQ(connect(), COMM_OK);
    server.clearCalls();
    const std::u16string path = (dir.path() / "c.cfg").u16string();
    EXPECT_EQ(DownloadConfigW(-1, "n", 0, path.c_str()), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(DownloadConfigW(0, "n", -2, path.c_str()), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(DownloadConfigW(0, nullptr, 0, path.c_str()), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(DownloadConfigW(0, "n", 0, nullptr), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(UploadConfigW(-1, "n", 0, path.c_str()), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(UploadConfigW(0, "n", 0, nullptr), COMM_INVALID_ARGUMENT);
    // Null pointers would crash the narrow exports: they are refused too.
    EXPECT_EQ(DownloadConfig(0, nullptr, 0, "x"), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(UploadConfig(0, "n", 0, nullptr), COMM_INVALID_ARGUMENT);
    EXPECT_EQ(server.calls().size(), 0u);

    // Mode -1 is a valid mode and goes to the sensor as it is.
    store.set(0, {1, 2});
    EXPECT_EQ(DownloadConfigW(0, "n", -1, path.c_str()), COMM_OK);
    ASSERT_EQ(server.calls().size(), 1u);
    EXPECT_EQ(server.calls()[0].params[2], XmlRpcValue(-1));
}

TEST_F(ConfigFilesTest, UploadOfSomethingOtherThanAFile) {
    ASSERT_EQ(connect(), COMM_OK);
    server.clearCalls();
    const std::u16string folder = dir.path().u16string();
    const std::u16string missing = (dir.path() / "missing.cfg").u16string();
    EXPECT_EQ(UploadConfigW(0, "n", 0, folder.c_str()), COMM_BAD_LIBRARY_FILE);
    EXPECT_EQ(UploadConfigW(0, "n", 0, missing.c_str()), COMM_BAD_LIBRARY_FILE);
    EXPECT_EQ(UploadConfig(0, "n", 0, dir.path().c_str()), COMM_FILE_ERROR);
    EXPECT_EQ(UploadConfig(0, "n", 0, (dir.path() / "missing.cfg").c_str()), COMM_FILE_ERROR);
    EXPECT_EQ(server.calls().size(), 0u);
}

TEST_F(ConfigFilesTest, FailedDownloadLeavesTheOlderFile) {
    ASSERT_EQ(connect(), COMM_OK);
    const auto file = dir.write("kept.cfg", "older");
    store.set(1, ConfigFileStore::Bytes(4096, 0x5A));

    // The sensor refuses: nothing is written.
    EXPECT_EQ(DownloadConfig(7, "n", 0, file.c_str()), vt::sim::kConfigFileNoConfiguration);
    EXPECT_EQ(readFile(file), "older");

    // The data has arrived but the folder takes no more than a few bytes.
    {
        vt::test::FileSizeLimit limit(16);
        EXPECT_EQ(DownloadConfig(1, "n", 0, file.c_str()), COMM_FILE_ERROR);
    }
    EXPECT_EQ(readFile(file), "older");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    // A folder that does not exist.
    EXPECT_EQ(DownloadConfig(1, "n", 0, (dir.path() / "no" / "x.cfg").c_str()), COMM_FILE_ERROR);

    // A success that carries no data is not reported as one.
    server.setMethod("xmlDownloadConfig", [](const XmlRpcValue&) {
        XmlRpcValue reply;
        reply[0] = 0;
        return reply;
    });
    EXPECT_EQ(DownloadConfig(1, "n", 0, file.c_str()), COMM_FAILED);
    EXPECT_EQ(readFile(file), "older");
}

TEST_F(ConfigFilesTest, RepliesWithoutAStatus) {
    ASSERT_EQ(connect(), COMM_OK);
    const auto file = dir.path() / "c.cfg";
    server.setMethod("xmlDownloadConfig", [](const XmlRpcValue&) { return XmlRpcValue("text"); });
    server.setMethod("xmlUploadConfig", [](const XmlRpcValue&) {
        XmlRpcValue reply;
        reply[0] = "busy";
        return reply;
    });
    EXPECT_EQ(DownloadConfig(1, "n", 0, file.c_str()), COMM_NO_REPLY);
    EXPECT_FALSE(std::filesystem::exists(file));
    dir.write("c.cfg", "x");
    EXPECT_EQ(UploadConfig(1, "n", 0, file.c_str()), COMM_STATUS_NOT_INT);
}

TEST(ConfigFilesUnconnected, EveryExportAnswersNotConnected) {
    EXPECT_EQ(DownloadConfig(0, "n", 0, "/nonexistent/x"), COMM_NOT_CONNECTED);
    EXPECT_EQ(DownloadConfigW(-1, nullptr, 0, nullptr), COMM_NOT_CONNECTED);
    EXPECT_EQ(UploadConfig(0, "n", 0, "/nonexistent/x"), COMM_NOT_CONNECTED);
    EXPECT_EQ(UploadConfigW(0, "n", 0, u"/nonexistent/x"), COMM_NOT_CONNECTED);
}

}  // namespace

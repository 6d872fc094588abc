// The update against the simulated sensor: the image on the wire, the
// sensor's result, and a sensor that drops the call.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "brimsol/brimsol.h"
#include "loopback_address.h"
#include "sim/method_faults.h"
#include "sim/update_methods.h"
#include "sim/xmlrpc_server.h"
#include "temp_dir.h"
#include "text/text_codecs.h"

namespace {

using namespace std::chrono_literals;
using XmlRpc::XmlRpcValue;

std::u16string wide(const std::filesystem::path& path) {
    std::u16string out;
    Utf8ToUtf16String(out, path.string());
    return out;
}

// Every byte value, in an order no simple encoder bug keeps.
std::string imageBytes(std::size_t n) {
    std::mt19937 random(12345);
    std::string bytes(n, '\0');
    for (auto& b : bytes) b = static_cast<char>(random() & 0xFF);
    return bytes;
}

std::string text(const XmlRpcValue::BinaryData& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// The library keeps both names until an update has made its call, also
// between tests of one process: make one such update.
void forgetNames() {
    vt::test::TempDir dir;
    const auto file = dir.write("forget.swu", "x");
    vt::sim::UpdateMethods methods;
    vt::sim::XmlRpcServer server{vt::test::uniqueLoopbackAddress()};
    methods.install(server);
    ASSERT_TRUE(server.start()) << server.error();
    ASSERT_EQ(Brimsol_setfilename(file.c_str()), BRIMSOL_OK);
    ASSERT_EQ(Brimsol_setfilenameW(wide(file).c_str()), BRIMSOL_OK);
    ASSERT_EQ(Brimsol_update(server.address().c_str(), server.port()), BRIMSOL_OK);
}

class Update : public ::testing::Test {
protected:
    void SetUp() override {
        forgetNames();
        methods.install(server);
        ASSERT_TRUE(server.start()) << server.error();
    }

    int update() { return Brimsol_update(server.address().c_str(), server.port()); }
    std::filesystem::path image(const std::string& name, const std::string& bytes) {
        return dir.write(name, bytes);
    }

    vt::test::TempDir dir;
    vt::sim::UpdateMethods methods;
    vt::sim::XmlRpcServer server{vt::test::uniqueLoopbackAddress()};
};

TEST_F(Update, WithoutAFileNameGivesThreeAndMakesNoConnection) {
    EXPECT_EQ(update(), BRIMSOL_NO_FILE_NAME);
    EXPECT_EQ(server.connectionsAccepted(), 0u);
}

TEST_F(Update, FiveMegabyteImageArrivesByteForByteInOneCall) {
    const std::string bytes = imageBytes(5 * 1024 * 1024);
    ASSERT_EQ(Brimsol_setfilename(image("big.swu", bytes).c_str()), BRIMSOL_OK);
    EXPECT_EQ(update(), BRIMSOL_OK);

    const auto images = methods.images();
    ASSERT_EQ(images.size(), 1u);
    EXPECT_TRUE(text(images[0]) == bytes)
        << "the image changed on the way (" << images[0].size() << " bytes)";
    EXPECT_EQ(server.countCalls("xmlAfterSWU"), 0u);
    EXPECT_EQ(update(), BRIMSOL_NO_FILE_NAME) << "the names are cleared after the call";
}

class SensorResult : public Update, public ::testing::WithParamInterface<int> {};

TEST_P(SensorResult, PassesThroughUnchanged) {
    methods.setResult(GetParam());
    ASSERT_EQ(Brimsol_setfilename(image("small.swu", "image").c_str()), BRIMSOL_OK);
    EXPECT_EQ(update(), GetParam());
    EXPECT_EQ(server.countCalls("xmlAfterSWU"), 0u);
    EXPECT_EQ(Brimsol_lostconnection(), 0) << "the sensor answered";
}

// 5 among them: the sensor's own result of that number is no lost connection.
INSTANTIATE_TEST_SUITE_P(Codes, SensorResult, ::testing::Values(0, 4, 5, 8, 15, 16, -4), [](const auto& info) {
    return (info.param < 0 ? "Minus" : "") + std::to_string(std::abs(info.param));
});

TEST_F(Update, DroppedCallIsFollowedByAfterUpdateASecondLaterAndGivesFive) {
    methods.setDropMidCall(true);
    ASSERT_EQ(Brimsol_setfilename(image("big.swu", imageBytes(5 * 1024 * 1024)).c_str()), BRIMSOL_OK);
    EXPECT_EQ(update(), BRIMSOL_SEND_FAILED);
    EXPECT_EQ(Brimsol_lostconnection(), 1);

    EXPECT_TRUE(methods.images().empty());
    const auto calls = server.calls();
    ASSERT_GE(calls.size(), 2u);
    const auto& after = calls.back();
    const auto& dropped = calls[calls.size() - 2];
    EXPECT_EQ(after.method, "xmlAfterSWU");
    EXPECT_EQ(after.params.size(), 0);
    ASSERT_EQ(dropped.method, "xmlSWU");
    EXPECT_FALSE(dropped.complete);
    const auto gap = after.received - dropped.received;
    EXPECT_GE(gap, 990ms);
    EXPECT_LT(gap, 30s);  // against a hang only
    EXPECT_EQ(server.countCalls("xmlAfterSWU"), 1u);
    EXPECT_EQ(update(), BRIMSOL_NO_FILE_NAME) << "the names are cleared after a failed call too";
}

// The sensor takes the image and falls silent: the update does not wait for
// the call's limit of minutes; it ends as a lost connection once probes
// beside the call go unanswered, and "xmlAfterSWU" waits only a few seconds.
// A sensor that answers the probes while it holds the call is waited for.
TEST_F(Update, SensorSilentAfterTheImageEndsTheUpdateAsALostConnection) {
    vt::sim::MethodFaults silent;
    silent.silence = true;
    server.setFaults("xmlSWU", silent);
    ASSERT_EQ(Brimsol_setfilename(image("small.swu", "image").c_str()), BRIMSOL_OK);
    std::thread silence([&] {
        // Two rounds answered while the sensor holds the call, then nothing.
        server.waitForCalls("xmlHeartbeat", 2, 30s);
        server.setSilent(true);
    });
    EXPECT_EQ(update(), BRIMSOL_SEND_FAILED);
    silence.join();
    EXPECT_EQ(Brimsol_lostconnection(), 1);
    EXPECT_EQ(server.countCalls("xmlAfterSWU"), 1u);
    EXPECT_GE(server.countCalls("xmlHeartbeat"), 4u) << "two answered rounds and two unanswered";
}

// A sensor on a slow link that answers no probe while it takes the image
// (its server reads one request at a time) is alive: the bytes it takes say
// so, and its result is waited for.
TEST_F(Update, ASensorTakingTheImageSlowlyIsWaitedForThoughItAnswersNoProbe) {
    vt::sim::MethodFaults slow;
    slow.readBytes = 32 * 1024;
    slow.readPause = 100ms;
    server.setFaults("xmlSWU", slow);
    vt::sim::MethodFaults silent;
    silent.silence = true;
    server.setFaults("xmlHeartbeat", silent);
    // About 3 MB at 320 KB/s: several rounds of unanswered probes.
    ASSERT_EQ(Brimsol_setfilename(image("slow.swu", imageBytes(3 * 1024 * 1024)).c_str()), BRIMSOL_OK);
    EXPECT_EQ(update(), BRIMSOL_OK);
    EXPECT_EQ(Brimsol_lostconnection(), 0);
    EXPECT_GE(server.countCalls("xmlHeartbeat"), 2u) << "probed while it took the image";
    EXPECT_EQ(server.countCalls("xmlAfterSWU"), 0u);
}

// Replies the library cannot read are a failed call, never an exception.
class UnreadableReply : public Update, public ::testing::WithParamInterface<std::string> {};

TEST_P(UnreadableReply, CountsAsAFailedCall) {
    if (GetParam() == "fault") {
        vt::sim::MethodFaults fault;
        fault.fault = true;
        server.setFaults("xmlSWU", fault);
    } else {
        const std::string kind = GetParam();
        server.setMethod("xmlSWU", [kind](const XmlRpcValue&) {
            XmlRpcValue reply;
            if (kind == "text") reply[0] = "0";
            if (kind == "empty") reply.setSize(0);
            if (kind == "scalar") reply = 0;
            return reply;
        });
    }
    ASSERT_EQ(Brimsol_setfilename(image("small.swu", "image").c_str()), BRIMSOL_OK);
    EXPECT_EQ(update(), BRIMSOL_SEND_FAILED);
    EXPECT_EQ(server.countCalls("xmlAfterSWU"), 1u);
    EXPECT_EQ(Brimsol_lostconnection(), 0) << "the sensor answered, if unreadably";
}

INSTANTIATE_TEST_SUITE_P(Replies, UnreadableReply, ::testing::Values("fault", "text", "empty", "scalar"),
                         [](const auto& info) { return info.param; });

TEST_F(Update, WideNameIsPreferredAndBothAreCleared) {
    ASSERT_EQ(Brimsol_setfilename(image("narrow.swu", "narrow").c_str()), BRIMSOL_OK);
    ASSERT_EQ(Brimsol_setfilenameW(wide(image("wide-\xC3\xA4.swu", "wide")).c_str()), BRIMSOL_OK);
    EXPECT_EQ(update(), BRIMSOL_OK);
    ASSERT_EQ(methods.images().size(), 1u);
    EXPECT_EQ(text(methods.images()[0]), "wide");
    EXPECT_EQ(update(), BRIMSOL_NO_FILE_NAME);
}

TEST_F(Update, RefusedNameKeepsTheOneBefore) {
    ASSERT_EQ(Brimsol_setfilename(image("first.swu", "first").c_str()), BRIMSOL_OK);
    EXPECT_EQ(Brimsol_setfilename((dir.path() / "missing.swu").c_str()), BRIMSOL_FILE_NOT_FOUND);
    EXPECT_EQ(Brimsol_setfilename(std::string(600, 'n').c_str()), BRIMSOL_NO_FILE_NAME);
    EXPECT_EQ(update(), BRIMSOL_OK);
    ASSERT_EQ(methods.images().size(), 1u);
    EXPECT_EQ(text(methods.images()[0]), "first");
}

TEST_F(Update, FileGoneOrEmptiedBeforeTheUpdateIsNotSentAndTheNameStays) {
    const auto file = image("gone.swu", "image");
    ASSERT_EQ(Brimsol_setfilename(file.c_str()), BRIMSOL_OK);
    std::filesystem::remove(file);
    EXPECT_EQ(update(), BRIMSOL_FILE_NOT_FOUND);
    image("gone.swu", "");
    EXPECT_EQ(update(), BRIMSOL_FILE_SIZE);
    EXPECT_EQ(server.connectionsAccepted(), 0u);

    image("gone.swu", "again");
    EXPECT_EQ(update(), BRIMSOL_OK);
    ASSERT_EQ(methods.images().size(), 1u);
    EXPECT_EQ(text(methods.images()[0]), "again");
}

TEST_F(Update, NoClientWithoutHostOrPort) {
    ASSERT_EQ(Brimsol_setfilename(image("small.swu", "image").c_str()), BRIMSOL_OK);
    EXPECT_EQ(Brimsol_update(nullptr, server.port()), BRIMSOL_NO_CLIENT);
    EXPECT_EQ(Brimsol_update("", server.port()), BRIMSOL_NO_CLIENT);
    EXPECT_EQ(Brimsol_update(server.address().c_str(), 0), BRIMSOL_NO_CLIENT);
    EXPECT_EQ(Brimsol_update(server.address().c_str(), 65536), BRIMSOL_NO_CLIENT);
    EXPECT_EQ(server.connectionsAccepted(), 0u);
    EXPECT_EQ(update(), BRIMSOL_OK) << "the name stayed";
}

TEST_F(Update, SensorThatIsNotThereGivesFive) {
    ASSERT_EQ(Brimsol_setfilename(image("small.swu", "image").c_str()), BRIMSOL_OK);
    const std::string address = server.address();
    const int port = server.port();
    server.stop();
    EXPECT_EQ(Brimsol_update(address.c_str(), port), BRIMSOL_SEND_FAILED);
    EXPECT_EQ(Brimsol_lostconnection(), 1);
    // Each update answers for itself, and only for the thread that ran it.
    std::thread([] { EXPECT_EQ(Brimsol_lostconnection(), 0); }).join();
    EXPECT_EQ(Brimsol_update(nullptr, port), BRIMSOL_NO_FILE_NAME);
    EXPECT_EQ(Brimsol_lostconnection(), 0);
}

}  // namespace

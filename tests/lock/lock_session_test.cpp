// The lock exports against the simulated sensor: a whole lock session, the
// library's own codes and the sensor's, and a second client beside it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "array_of.h"
#include "dravik/dravik.h"
#include "keltrov/keltrov.h"
#include "loopback_address.h"
#include "recording_target.h"
#include "sim/connection_methods.h"
#include "sim/lock_methods.h"
#include "sim/xmlrpc_server.h"
#include "text/config_name_codec.h"

namespace {

using vt::test::arrayOf;
using namespace std::chrono_literals;
using XmlRpc::XmlRpcValue;

// The form in which the program sends a password.
std::string framed(std::u16string_view password) {
    std::string out;
    EncodeConfigName(out, password);
    return out;
}

class LockSession : public ::testing::Test {
protected:
    void SetUp() override {
        FinishCodeBlockingDll();
        lock.install(server);
        ASSERT_TRUE(server.start()) << server.error();
        ASSERT_EQ(StartCodeBlockingDll(server.address().c_str(), server.port()), KELTROV_OK);
    }
    void TearDown() override { FinishCodeBlockingDll(); }

    vt::sim::LockMethods lock;
    vt::sim::XmlRpcServer server{vt::test::uniqueLoopbackAddress()};
};

TEST(LockWithoutClient, EveryCallSaysNotStartedAndOutputsHoldMinusOne) {
    FinishCodeBlockingDll();
    int status = 5;
    int result = 5;
    EXPECT_EQ(GetCodeBlockingStatus(&status), KELTROV_NOT_STARTED);
    EXPECT_EQ(ValidateCodeBlockingPassword("secret", &result), KELTROV_NOT_STARTED);
    EXPECT_EQ(status, -1);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(ActivateCodeBlocking("secret", 2), KELTROV_NOT_STARTED);
    EXPECT_EQ(DectivateCodeBlocking(), KELTROV_NOT_STARTED);
    EXPECT_EQ(RestartCodeBlockingDll("127.0.0.1", 8080), KELTROV_NOT_STARTED);
    EXPECT_EQ(FinishCodeBlockingDll(), KELTROV_NOT_STARTED);
}

TEST(LockWithoutClient, ClientNeedsAHostAndAPort) {
    FinishCodeBlockingDll();
    EXPECT_EQ(StartCodeBlockingDll(nullptr, 8080), KELTROV_NO_CLIENT);
    EXPECT_EQ(StartCodeBlockingDll("", 8080), KELTROV_NO_CLIENT);
    EXPECT_EQ(StartCodeBlockingDll("127.0.0.1", 0), KELTROV_NO_CLIENT);
    EXPECT_EQ(StartCodeBlockingDll("127.0.0.1", 65536), KELTROV_NO_CLIENT);
    EXPECT_EQ(FinishCodeBlockingDll(), KELTROV_NOT_STARTED) << "a refused start left a client";
}

TEST_F(LockSession, LocksValidatesAndUnlocks) {
    int status = 0;
    ASSERT_EQ(GetCodeBlockingStatus(&status), KELTROV_OK);
    EXPECT_EQ(status, 0);

    ASSERT_EQ(ActivateCodeBlocking(framed(u"Geheim7").c_str(), 2 | 4), KELTROV_OK);
    EXPECT_EQ(lock.lockedItems(), 6);
    EXPECT_EQ(lock.password(), "Geheim7");
    ASSERT_EQ(GetCodeBlockingStatus(&status), KELTROV_OK);
    EXPECT_EQ(status, 6);

    ASSERT_EQ(DectivateCodeBlocking(), KELTROV_OK);
    EXPECT_EQ(lock.lockedItems(), 0);
    ASSERT_EQ(GetCodeBlockingStatus(&status), KELTROV_OK);
    EXPECT_EQ(status, 0);
    // The method's own name, not the export's spelling, reached the sensor.
    EXPECT_EQ(server.countCalls("xmlrpc_DeactivateCodeBlocking"), 1u);
}

struct PasswordCase {
    std::string name;
    std::string sent;
    int expected;
};

class Validation : public LockSession, public ::testing::WithParamInterface<PasswordCase> {};

TEST_P(Validation, AcceptsTheRightPasswordInEitherForm) {
    lock.setLock("Pässwort€", 1);
    int result = -7;
    ASSERT_EQ(ValidateCodeBlockingPassword(GetParam().sent.c_str(), &result), KELTROV_OK);
    EXPECT_EQ(result, GetParam().expected);
    ASSERT_EQ(server.countCalls("xmlrpc_ValidateCodeBlockingPassword"), 1u);
}

INSTANTIATE_TEST_SUITE_P(Passwords, Validation,
                         ::testing::Values(PasswordCase{"RightFramed", framed(u"Pässwort€"), 1},
                                           PasswordCase{"RightPlainUtf8", "Pässwort€", 1},
                                           PasswordCase{"WrongFramed", framed(u"Passwort€"), 0},
                                           PasswordCase{"WrongPlain", "pässwort€", 0},
                                           PasswordCase{"FramedFormTakenAsPlainIsWrong", framed(u"x") + "x",
                                                        0},
                                           PasswordCase{"Empty", "", 0}),
                         [](const auto& info) { return info.param.name; });

TEST_F(LockSession, ActivationSendsThePasswordAsGivenAndTheMask) {
    const std::string sent = framed(u"abcde");
    ASSERT_EQ(ActivateCodeBlocking(sent.c_str(), 1), KELTROV_OK);
    const auto calls = server.calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].params, arrayOf({sent, 1}));
}

TEST_F(LockSession, NegativeSensorStatusComesBackThirtyLower) {
    lock.setLock("abcde", 2);
    int result = 9;
    EXPECT_EQ(ActivateCodeBlocking("abcde", 0), -31) << "the simulated sensor refuses an empty mask with -1";
    server.setMethod("xmlrpc_ValidateCodeBlockingPassword", [](const XmlRpcValue&) { return arrayOf({-5}); });
    EXPECT_EQ(ValidateCodeBlockingPassword("abcde", &result), -35);
    EXPECT_EQ(result, -1);
}

TEST_F(LockSession, UnreadableRepliesGiveTheLibrarysCodes) {
    int status = 9;
    server.setMethod("xmlrpc_GetCodeBlockingStatus", [](const XmlRpcValue&) { return arrayOf({0, 1, 2}); });
    EXPECT_EQ(GetCodeBlockingStatus(&status), KELTROV_BAD_REPLY);
    EXPECT_EQ(status, -1);

    server.setMethod("xmlrpc_GetCodeBlockingStatus", [](const XmlRpcValue&) {
        return arrayOf({"locked", 1});
    });
    EXPECT_EQ(GetCodeBlockingStatus(&status), KELTROV_CALL_FAILED);

    vt::sim::MethodFaults fault;
    fault.fault = true;
    server.setFaults("xmlrpc_ActivateCodeBlocking", fault);
    EXPECT_EQ(ActivateCodeBlocking("abcde", 1), KELTROV_CALL_FAILED);
    EXPECT_EQ(lock.lockedItems(), 0);

    // The client stays usable after all of them.
    server.setMethod("xmlrpc_GetCodeBlockingStatus", [](const XmlRpcValue&) { return arrayOf({0, 4}); });
    ASSERT_EQ(GetCodeBlockingStatus(&status), KELTROV_OK);
    EXPECT_EQ(status, 4);
}

TEST_F(LockSession, NullArgumentsSendNothing) {
    int status = 0;
    EXPECT_EQ(GetCodeBlockingStatus(nullptr), KELTROV_CALL_FAILED);
    EXPECT_EQ(ActivateCodeBlocking(nullptr, 2), KELTROV_CALL_FAILED);
    EXPECT_EQ(ValidateCodeBlockingPassword(nullptr, &status), KELTROV_CALL_FAILED);
    EXPECT_EQ(status, -1);
    EXPECT_EQ(ValidateCodeBlockingPassword("abcde", nullptr), KELTROV_CALL_FAILED);
    EXPECT_TRUE(server.calls().empty());
}

TEST_F(LockSession, SecondStartIsRefusedAndTheFirstClientStays) {
    vt::sim::LockMethods otherLock;
    vt::sim::XmlRpcServer other{vt::test::uniqueLoopbackAddress()};
    otherLock.install(other);
    ASSERT_TRUE(other.start()) << other.error();
    otherLock.setLock("abcde", 4);

    EXPECT_EQ(StartCodeBlockingDll(other.address().c_str(), other.port()), KELTROV_ALREADY_STARTED);
    int status = -7;
    ASSERT_EQ(GetCodeBlockingStatus(&status), KELTROV_OK);
    EXPECT_EQ(status, 0) << "asked the second sensor";

    ASSERT_EQ(RestartCodeBlockingDll(other.address().c_str(), other.port()), KELTROV_OK);
    ASSERT_EQ(GetCodeBlockingStatus(&status), KELTROV_OK);
    EXPECT_EQ(status, 4);

    EXPECT_EQ(RestartCodeBlockingDll(nullptr, other.port()), KELTROV_NO_CLIENT);
    EXPECT_EQ(GetCodeBlockingStatus(&status), KELTROV_NOT_STARTED);
}

TEST_F(LockSession, SensorThatIsNotThereFailsTheCall) {
    const std::string address = server.address();
    const int port = server.port();
    server.stop();
    ASSERT_EQ(RestartCodeBlockingDll(address.c_str(), port), KELTROV_OK);
    int status = 3;
    EXPECT_EQ(GetCodeBlockingStatus(&status), KELTROV_CALL_FAILED);
    EXPECT_EQ(status, -1);
}

// A sensor that reads the call and never answers: with a time limit the
// call fails after it; 0 takes the limit away again.
TEST_F(LockSession, SilentSensorEndsTheCallAtTheTimeLimit) {
    server.setSilent(true);
    SetCodeBlockingTimeLimit(0.3);
    const auto start = std::chrono::steady_clock::now();
    int result = 7;
    EXPECT_EQ(ValidateCodeBlockingPassword("abcde", &result), KELTROV_CALL_FAILED);
    EXPECT_EQ(result, -1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    SetCodeBlockingTimeLimit(0);
    server.setSilent(false);
    ASSERT_EQ(RestartCodeBlockingDll(server.address().c_str(), server.port()), KELTROV_OK);
    EXPECT_EQ(ValidateCodeBlockingPassword("abcde", &result), KELTROV_OK);
    EXPECT_EQ(result, 1);
}

// The program keeps its sensor connection (libdravik, with its heartbeat)
// open while it runs the lock session: two connections to one sensor.
TEST_F(LockSession, WorksBesideTheSensorConnectionOfTheCommunicationLibrary) {
    vt::sim::SensorState sensor;
    vt::sim::addConnectionMethods(server, sensor);
    vt::test::RecordingTarget window;
    char version[DRAVIK_CONNECT_TEXT_SIZE] = {};
    char type[DRAVIK_CONNECT_TEXT_SIZE] = {};
    ASSERT_EQ(Connect(window.window(), "k", server.address().c_str(), server.port(), version, type), COMM_OK);

    // Lock calls until the heartbeat has spoken twice in between them.
    const auto bound = std::chrono::steady_clock::now() + 30s;  // against a hang only
    int round = 0;
    while (server.countCalls("xmlHeartbeat") < 2 && std::chrono::steady_clock::now() < bound) {
        const int items = 1 + round++ % 7;
        int status = -7;
        ASSERT_EQ(ActivateCodeBlocking(framed(u"abcde").c_str(), items), KELTROV_OK);
        ASSERT_EQ(GetCodeBlockingStatus(&status), KELTROV_OK);
        EXPECT_EQ(status, items);
        ASSERT_EQ(ValidateCodeBlockingPassword("abcde", &status), KELTROV_OK);
        EXPECT_EQ(status, 1);
        ASSERT_EQ(DectivateCodeBlocking(), KELTROV_OK);
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_GE(server.countCalls("xmlHeartbeat"), 2u);
    EXPECT_EQ(window.count(), 0u) << "the sensor connection was reported lost";
    EXPECT_GE(server.connectionsAccepted(), 2u);
    Disconnect("k");
}

// Exports from several threads while one of them replaces the client: every
// call either reaches a client or finds none, never one being deleted.
TEST_F(LockSession, CallsFromSeveralThreadsWhileTheClientIsReplaced) {
    std::vector<std::thread> callers;
    std::atomic<int> unexpected{0};
    for (int t = 0; t < 3; ++t)
        callers.emplace_back([&] {
            for (int i = 0; i < 30; ++i) {
                int status = -7;
                const int rc = GetCodeBlockingStatus(&status);
                if (!(rc == KELTROV_OK && status == 0) && !(rc == KELTROV_NOT_STARTED && status == -1))
                    ++unexpected;
            }
        });
    for (int i = 0; i < 10; ++i) {
        FinishCodeBlockingDll();
        StartCodeBlockingDll(server.address().c_str(), server.port());
        RestartCodeBlockingDll(server.address().c_str(), server.port());
    }
    for (auto& t : callers) t.join();
    EXPECT_EQ(unexpected, 0);
}

}  // namespace

// How the lock library reads every shape of reply, without a sensor.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "array_of.h"
#include "lock_reply.h"

namespace {

using vt::test::arrayOf;
using XmlRpc::XmlRpcValue;

struct ReplyCase {
    std::string name;
    bool executed;
    bool fault;
    XmlRpcValue reply;
    bool wantsValue;  // a status or validation call
    int expected;
    int value;  // what the output holds afterwards (it starts at -1)
};

class LockReply : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(LockReply, GivesTheCodeAndTouchesTheOutputOnlyOnSuccess) {
    const auto& c = GetParam();
    int value = -1;
    EXPECT_EQ(keltrov::readLockReply(c.executed, c.fault, c.reply, c.wantsValue ? &value : nullptr),
              c.expected);
    EXPECT_EQ(value, c.value);
}

XmlRpcValue faultStruct() {
    XmlRpcValue fault;
    fault["faultCode"] = 4;
    fault["faultString"] = "no";
    return fault;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, LockReply,
    ::testing::Values(
        ReplyCase{"NotSent", false, false, arrayOf({-1}), true, KELTROV_CALL_FAILED, -1},
        ReplyCase{"Fault", true, true, faultStruct(), true, KELTROV_CALL_FAILED, -1},
        ReplyCase{"FaultWithArray", true, true, arrayOf({0, 1}), true, KELTROV_CALL_FAILED, -1},
        ReplyCase{"NotAnArray", true, false, XmlRpcValue(0), false, KELTROV_CALL_FAILED, -1},
        ReplyCase{"EmptyArray", true, false, arrayOf({}), false, KELTROV_CALL_FAILED, -1},
        ReplyCase{"StatusIsText", true, false, arrayOf({"0", 1}), true, KELTROV_CALL_FAILED, -1},
        ReplyCase{"StatusIsDouble", true, false, arrayOf({0.0}), false, KELTROV_CALL_FAILED, -1},
        ReplyCase{"ActivateDone", true, false, arrayOf({0}), false, KELTROV_OK, -1},
        ReplyCase{"ActivateExtraElements", true, false, arrayOf({0, "x", 3}), false, KELTROV_OK, -1},
        ReplyCase{"SensorMinusOne", true, false, arrayOf({-1}), false, -31, -1},
        ReplyCase{"ValidationMinusFive", true, false, arrayOf({-5}), true, -35, -1},
        ReplyCase{"NegativeWinsOverValue", true, false, arrayOf({-2, 1}), true, -32, -1},
        ReplyCase{"LowestStatusDoesNotOverflow", true, false, arrayOf({INT_MIN}), false, INT_MIN, -1},
        ReplyCase{"StatusLocked", true, false, arrayOf({0, 6}), true, KELTROV_OK, 6},
        ReplyCase{"PositiveStatusIsSuccess", true, false, arrayOf({3, 1}), true, KELTROV_OK, 1},
        ReplyCase{"ValueMissing", true, false, arrayOf({0}), true, KELTROV_BAD_REPLY, -1},
        ReplyCase{"ThreeElements", true, false, arrayOf({0, 1, 2}), true, KELTROV_BAD_REPLY, -1},
        ReplyCase{"ValueIsText", true, false, arrayOf({0, "1"}), true, KELTROV_BAD_REPLY, -1}),
    [](const auto& info) { return info.param.name; });

}  // namespace

// The simulated sensor's slots and commands: what each slot operation does
// to the slots, the active configuration and the edit in progress, and how
// the methods answer through the server, scripted replies included.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "loopback_address.h"
#include "sim/sensor_command_methods.h"
#include "sim/sensor_model.h"
#include "sim/xmlrpc_server.h"
#include "xmlrpc/XmlRpcClient.h"

using vt::sim::ConfigSlot;
using vt::sim::ScriptedReply;
using vt::sim::SensorData;
using vt::sim::SensorModel;
using vt::sim::SlotRef;
using namespace vt::sim;
using XmlRpc::XmlRpcValue;

namespace {

// Slots 0 and 1 in group 2 (slot 1 its master), slot 5 without a group,
// slot 5 active.
class SlotTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const SlotRef& s : {a, b, c}) {
            ASSERT_EQ(model.createConfig(s), kSimOk);
            ASSERT_EQ(model.closeAndSave(), kSimOk);
        }
        ASSERT_EQ(model.setAsGroupMaster(b, 1), kSimOk);
        ASSERT_EQ(model.activateConfig(c), kSimOk);
    }
    const ConfigSlot& slot(const SensorData& d, int i) { return d.slots[static_cast<std::size_t>(i)]; }

    SensorModel model;
    const SlotRef a{0, "{A}", 2};
    const SlotRef b{1, "{B}", 2};
    const SlotRef c{5, "{C}", -1};
};

TEST_F(SlotTest, CreateIsAnEditThatSaveKeepsAndDiscardUndoes) {
    ASSERT_EQ(model.createConfig({7, "{New}", 3}), kSimOk);
    EXPECT_EQ(model.snapshot().editing->slot, 7);
    EXPECT_EQ(model.closeAndDiscard(), kSimOk);
    EXPECT_FALSE(slot(model.snapshot(), 7).used);

    ASSERT_EQ(model.createConfig({7, "{New}", 3}), kSimOk);
    ASSERT_EQ(model.editConfig({7, "{New}", 3}), kSimOk);  // the program edits what it just created
    ASSERT_EQ(model.closeAndSave(), kSimOk);
    const SensorData d = model.snapshot();
    EXPECT_FALSE(d.editing);
    EXPECT_TRUE(slot(d, 7).used);
    EXPECT_EQ(slot(d, 7).name, "{New}");
    EXPECT_EQ(slot(d, 7).group, 3);
}

TEST_F(SlotTest, DiscardPutsTheEditedSlotBack) {
    ASSERT_EQ(model.editConfig(b), kSimOk);
    ASSERT_EQ(model.renameConfig(b, 1, "{Renamed}"), kSimOk);
    EXPECT_EQ(model.editConfig(a), kSimEditing);
    ASSERT_EQ(model.closeAndDiscard(), kSimOk);
    EXPECT_EQ(slot(model.snapshot(), 1).name, "{B}");
    EXPECT_EQ(slot(model.snapshot(), 1).masterState, 1);
    EXPECT_EQ(model.closeAndSave(), kSimNotEditing);
}

TEST_F(SlotTest, CopyTakesTheRecordButNotTheMasterRole) {
    ASSERT_EQ(model.copyConfig(b, {9, "{Copy}", 4}), kSimOk);
    const SensorData d = model.snapshot();
    EXPECT_EQ(slot(d, 9).name, "{Copy}");
    EXPECT_EQ(slot(d, 9).group, 4);
    EXPECT_EQ(slot(d, 9).masterState, 0);
    EXPECT_EQ(slot(d, 1).masterState, 1);
    EXPECT_EQ(slot(d, 1).name, "{B}");
}

TEST_F(SlotTest, MoveTakesTheActiveMarkAlong) {
    ASSERT_EQ(model.moveConfig(c, {31, "{C}", -1}), kSimOk);
    SensorData d = model.snapshot();
    EXPECT_FALSE(slot(d, 5).used);
    EXPECT_EQ(slot(d, 31).name, "{C}");
    EXPECT_EQ(d.activeConfig, 31);

    // Into another group: the master role stays behind.
    ASSERT_EQ(model.moveConfig(b, {1, "{B}", 6}), kSimOk);
    d = model.snapshot();
    EXPECT_EQ(slot(d, 1).group, 6);
    EXPECT_EQ(slot(d, 1).masterState, 0);
}

TEST_F(SlotTest, RenameIntoAnotherSlotMovesTheConfiguration) {
    ASSERT_EQ(model.renameConfig(c, 12, "{C2}"), kSimOk);
    const SensorData d = model.snapshot();
    EXPECT_FALSE(slot(d, 5).used);
    EXPECT_EQ(slot(d, 12).name, "{C2}");
    EXPECT_EQ(d.activeConfig, 12);
}

TEST_F(SlotTest, DeleteFreesTheSlotAndItsActiveMark) {
    ASSERT_EQ(model.deleteConfig(c), kSimOk);
    const SensorData d = model.snapshot();
    EXPECT_FALSE(slot(d, 5).used);
    EXPECT_EQ(slot(d, 5).name, "");
    EXPECT_EQ(d.activeConfig, -1);
}

TEST_F(SlotTest, GroupActivationPrefersTheMaster) {
    ASSERT_EQ(model.activateGroup(2), kSimOk);
    EXPECT_EQ(model.snapshot().activeConfig, 1);
    EXPECT_EQ(model.snapshot().activeGroup, 2);

    ASSERT_EQ(model.setAsGroupMaster(a, 1), kSimOk);  // one master per role and group
    EXPECT_EQ(slot(model.snapshot(), 1).masterState, 0);
    ASSERT_EQ(model.setAsGroupMaster(a, 0), kSimOk);
    ASSERT_EQ(model.activateGroup(2), kSimOk);
    EXPECT_EQ(model.snapshot().activeConfig, 0);  // no master: the first of the group
}

struct RefusedCase {
    const char* name;
    std::function<int(SensorModel&)> operation;
    int expected;
};

class Refused : public SlotTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(Refused, LeavesTheSlotsAsTheyWere) {
    const SensorData before = model.snapshot();
    EXPECT_EQ(GetParam().operation(model), GetParam().expected);
    const SensorData after = model.snapshot();
    for (int i = 0; i < kConfigSlotCount; ++i) {
        EXPECT_EQ(slot(after, i).used, slot(before, i).used) << i;
        EXPECT_EQ(slot(after, i).name, slot(before, i).name) << i;
        EXPECT_EQ(slot(after, i).group, slot(before, i).group) << i;
        EXPECT_EQ(slot(after, i).masterState, slot(before, i).masterState) << i;
    }
    EXPECT_EQ(after.activeConfig, before.activeConfig);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Refused,
    ::testing::Values(RefusedCase{"create_in_used_slot",
                                  [](SensorModel& m) {
                                      return m.createConfig({0, "{X}", 1});
                                  },
                                  kSimSlotInUse},
                      RefusedCase{"create_past_last_slot",
                                  [](SensorModel& m) {
                                      return m.createConfig({32, "{X}", 1});
                                  },
                                  kSimBadIndex},
                      RefusedCase{"create_in_group_8",
                                  [](SensorModel& m) {
                                      return m.createConfig({8, "{X}", 8});
                                  },
                                  kSimBadGroup},
                      RefusedCase{"create_without_name",
                                  [](SensorModel& m) {
                                      return m.createConfig({8, "", 1});
                                  },
                                  kSimBadArguments},
                      RefusedCase{"edit_empty_slot",
                                  [](SensorModel& m) {
                                      return m.editConfig({3, "{A}", 2});
                                  },
                                  kSimNoConfiguration},
                      RefusedCase{"delete_by_other_name",
                                  [](SensorModel& m) {
                                      return m.deleteConfig({0, "{a}", 2});
                                  },
                                  kSimNameMismatch},
                      RefusedCase{"delete_in_other_group",
                                  [](SensorModel& m) {
                                      return m.deleteConfig({0, "{A}", 3});
                                  },
                                  kSimBadGroup},
                      RefusedCase{"copy_onto_used_slot",
                                  [](SensorModel& m) {
                                      return m.copyConfig({0, "{A}", 2}, {5, "{X}", 2});
                                  },
                                  kSimSlotInUse},
                      RefusedCase{"move_from_negative_index",
                                  [](SensorModel& m) {
                                      return m.moveConfig({-1, "{A}", 2}, {9, "{X}", 2});
                                  },
                                  kSimBadIndex},
                      RefusedCase{"rename_to_empty",
                                  [](SensorModel& m) {
                                      return m.renameConfig({0, "{A}", 2}, 0, "");
                                  },
                                  kSimBadArguments},
                      RefusedCase{"master_without_group",
                                  [](SensorModel& m) {
                                      return m.setAsGroupMaster({5, "{C}", -1}, 1);
                                  },
                                  kSimBadGroup},
                      RefusedCase{"master_role_4",
                                  [](SensorModel& m) {
                                      return m.setAsGroupMaster({0, "{A}", 2}, 4);
                                  },
                                  kSimBadArguments},
                      RefusedCase{"activate_empty_group", [](SensorModel& m) { return m.activateGroup(7); },
                                  kSimNoConfiguration},
                      RefusedCase{"delete_while_edited",
                                  [](SensorModel& m) {
                                      m.editConfig({0, "{A}", 2});
                                      return m.deleteConfig({0, "{A}", 2});
                                  },
                                  kSimEditing},
                      RefusedCase{"discard_without_edit", [](SensorModel& m) { return m.closeAndDiscard(); },
                                  kSimNotEditing}),
    [](const auto& info) { return std::string(info.param.name); });

// Through the server, as a sensor on the network.
class SensorMethods : public ::testing::Test {
protected:
    void SetUp() override {
        addSensorCommandMethods(server, model);
        ASSERT_TRUE(server.start()) << server.error();
        client = std::make_unique<XmlRpc::XmlRpcClient>(server.address().c_str(), server.port());
    }
    // The reply, or an invalid value when none came.
    XmlRpcValue call(const char* method, const XmlRpcValue& params = XmlRpcValue()) {
        XmlRpcValue reply;
        if (!client->execute(method, params, reply, 10.0)) reply.clear();
        return reply;
    }
    static XmlRpcValue slotParams(int index, const std::string& name, int group) {
        XmlRpcValue p;
        p[0] = index;
        p[1] = name;
        p[2] = group;
        return p;
    }

    SensorModel model;
    XmlRpcServer server{vt::test::uniqueLoopbackAddress()};
    std::unique_ptr<XmlRpc::XmlRpcClient> client;
};

TEST_F(SensorMethods, NamesAreStoredExactlyAsTheyArrive) {
    // Bytes 0x80 and above travel in the sensor's two-byte form.
    const std::string framed("{\xC4\xD6\xFF+/=}", 8);
    EXPECT_EQ(call("xmlCreateConfig", slotParams(4, framed, 0))[0].asInt(), kSimOk);
    EXPECT_EQ(model.snapshot().slots[4].name, framed);
    EXPECT_EQ(call("xmlCloseAndSave")[0].asInt(), kSimOk);
    EXPECT_EQ(call("xmlActivateConfig", slotParams(4, framed, 0))[0].asInt(), kSimOk);
    EXPECT_EQ(model.snapshot().activeConfig, 4);
}

TEST_F(SensorMethods, ParametersOfTheWrongShapeAreRefused) {
    XmlRpcValue swapped;
    swapped[0] = "4";
    swapped[1] = 4;
    swapped[2] = 0;
    EXPECT_EQ(call("xmlCreateConfig", swapped)[0].asInt(), kSimBadArguments);
    EXPECT_EQ(call("xmlCreateConfig")[0].asInt(), kSimBadArguments);
    XmlRpcValue extra;
    extra[0] = 2;
    extra[1] = 3;
    EXPECT_EQ(call("xmlSetState", extra)[0].asInt(), kSimBadArguments);
    EXPECT_FALSE(model.snapshot().slots[4].used);
}

TEST_F(SensorMethods, StateStatisticsAndTrigger) {
    XmlRpcValue nine;
    nine[0] = 9;
    EXPECT_EQ(call("xmlSetState", nine)[0].asInt(), kSimOk);
    EXPECT_EQ(call("xmlGetState")[1].asInt(), 9);
    XmlRpcValue ten;
    ten[0] = 10;
    EXPECT_EQ(call("xmlSetState", ten)[0].asInt(), kSimBadState);

    call("xmlForceTrigger");
    model.access([](SensorData& d) { d.nextReadingGood = false; });
    call("xmlForceTrigger");
    XmlRpcValue stats = call("xmlGetSensorStatistics");
    EXPECT_EQ(stats[1].asInt(), 2);
    EXPECT_EQ(stats[2].asInt(), 1);
    call("xmlResetStatistics");
    stats = call("xmlGetSensorStatistics");
    EXPECT_EQ(stats[1].asInt(), 0);
    EXPECT_EQ(stats[2].asInt(), 0);
}

TEST_F(SensorMethods, RegularExpressionCheck) {
    // The program sends [text to match against, expression, good-reading string].
    auto check = [&](const char* expression, const char* text, const char* format) {
        XmlRpcValue p;
        p[0] = text;
        p[1] = expression;
        p[2] = format;
        return call("xmlCheckRegularExpression", p);
    };
    XmlRpcValue found = check("([0-9]+)-([A-Z]+)", "lot 42-AB", "$2/$1");
    EXPECT_EQ(found[0].asInt(), kSimOk);
    EXPECT_EQ(found[1].asInt(), 1);
    EXPECT_EQ(found[2].asString(), "AB/42");
    XmlRpcValue whole = check("[0-9]+", "lot 42", "");
    EXPECT_EQ(whole[2].asString(), "42");
    XmlRpcValue none = check("x+", "lot 42", "");
    EXPECT_EQ(none[1].asInt(), 0);
    EXPECT_EQ(none[2].asString(), "");
    EXPECT_EQ(check("([", "x", "")[0].asInt(), kSimBadExpression);

    // Repetitions are fine until their nested counts would multiply into
    // gigabytes of compiled expression.
    EXPECT_EQ(check("(ab){3}", "abababx", "")[2].asString(), "ababab");
    EXPECT_EQ(check("[0-9]{2,4}[[:alpha:]]{1,}", "x 12345ab", "")[2].asString(), "2345ab");
    EXPECT_EQ(check("(x{100}){100}", "x", "")[1].asInt(), 0);
    for (const char* huge : {"(((a{99}){99}){99}){99}", "((a{255}){255}){255}", "(x{200}){200}", "((((a+)+)+)+){999}"})
        EXPECT_EQ(check(huge, "aaaa", "")[0].asInt(), kSimBadExpression) << huge;
}

TEST_F(SensorMethods, TransmissionsKeepTheEditedElseTheActiveConfigurationsStrings) {
    auto setStrings = [&](int slot, const std::string& prefix) {
        model.access([&](SensorData& d) {
            XmlRpcValue& config = d.slots[static_cast<std::size_t>(slot)].data.parameters.configData;
            for (int item = 24; item <= 27; ++item) config[item] = prefix + std::to_string(item);
        });
    };
    // Neither edited nor active: sent, with nothing to send.
    EXPECT_EQ(call("xmlTransmitTestData")[0].asInt(), kSimOk);
    ASSERT_EQ(call("xmlCreateConfig", slotParams(1, "{A}", 0))[0].asInt(), kSimOk);
    ASSERT_EQ(call("xmlCloseAndSave")[0].asInt(), kSimOk);
    ASSERT_EQ(call("xmlActivateConfig", slotParams(1, "{A}", 0))[0].asInt(), kSimOk);
    ASSERT_EQ(call("xmlCreateConfig", slotParams(2, "{B}", 0))[0].asInt(), kSimOk);
    setStrings(1, "a");
    setStrings(2, "\\x0Db");
    EXPECT_EQ(call("xmlTransmitFailData")[0].asInt(), kSimOk);
    ASSERT_EQ(call("xmlCloseAndSave")[0].asInt(), kSimOk);
    EXPECT_EQ(call("xmlTransmitMatchString")[0].asInt(), kSimOk);

    const std::vector<Transmission> sent = model.snapshot().transmissions;
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].method, "xmlTransmitTestData");
    EXPECT_EQ(sent[0].start + sent[0].stop + sent[0].fail + sent[0].match, "");
    EXPECT_EQ(sent[1].method, "xmlTransmitFailData");
    EXPECT_EQ(sent[1].start, "\\x0Db24");
    EXPECT_EQ(sent[1].match, "\\x0Db27");
    EXPECT_EQ(sent[2].method, "xmlTransmitMatchString");
    EXPECT_EQ(sent[2].stop, "a25");
    EXPECT_EQ(sent[2].fail, "a26");
}

TEST_F(SensorMethods, ScriptedRepliesAnswerOneCallEachAndLeaveTheModelAlone) {
    auto& script = model.script();
    script.push("xmlCreateConfig", ScriptedReply::status(7));
    script.push("xmlCreateConfig", ScriptedReply::wrongType());
    script.push("xmlCreateConfig", ScriptedReply::noReply());
    script.push("xmlCreateConfig", ScriptedReply::fault(4, "busy"));

    EXPECT_EQ(call("xmlCreateConfig", slotParams(0, "{A}", 1))[0].asInt(), 7);
    EXPECT_EQ(call("xmlCreateConfig", slotParams(0, "{A}", 1))[0].asString(), "x");
    EXPECT_FALSE(call("xmlCreateConfig", slotParams(0, "{A}", 1)).valid());
    XmlRpcValue fault = call("xmlCreateConfig", slotParams(0, "{A}", 1));
    EXPECT_TRUE(client->isFault());
    EXPECT_EQ(fault["faultCode"].asInt(), 4);
    EXPECT_FALSE(model.snapshot().slots[0].used);

    EXPECT_EQ(call("xmlCreateConfig", slotParams(0, "{A}", 1))[0].asInt(), kSimOk);
    EXPECT_TRUE(model.snapshot().slots[0].used);
    EXPECT_FALSE(script.pending("xmlCreateConfig"));
}

}  // namespace

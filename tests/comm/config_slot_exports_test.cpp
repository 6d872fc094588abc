// The slot exports change the simulated sensor as the sensor would: what
// each leaves in the slots, the active configuration and group, and the
// edit in progress. Names travel and are stored exactly as the caller gave
// them.
#include <gtest/gtest.h>

#include <string>

#include "command_fixture.h"

using vt::sim::ConfigSlot;
using vt::sim::SensorData;
using vt::test::CommandFixture;

namespace {

const ConfigSlot& slot(const SensorData& d, int index) {
    return d.slots[static_cast<std::size_t>(index)];
}

// A framed, encoded name with bytes the wire carries in its two-byte form.
const std::string kFramed = std::string("{\x80\xC3\xFF") + "QmFzZTY0+/=" + "}";

TEST_F(CommandFixture, CreateEditSaveAndDiscard) {
    ASSERT_EQ(CreateConfig(4, kFramed.c_str(), 2), COMM_OK);
    ASSERT_EQ(EditConfig(4, kFramed.c_str(), 2), COMM_OK);
    EXPECT_EQ(model.snapshot().editing->slot, 4);
    ASSERT_EQ(CloseAndSave(), COMM_OK);
    SensorData d = model.snapshot();
    EXPECT_FALSE(d.editing);
    EXPECT_TRUE(slot(d, 4).used);
    EXPECT_EQ(slot(d, 4).name, kFramed);
    EXPECT_EQ(slot(d, 4).group, 2);

    // A created configuration that is discarded is gone again.
    ASSERT_EQ(CreateConfig(5, "{Tmp}", 2), COMM_OK);
    ASSERT_EQ(CloseAndDiscard(), COMM_OK);
    EXPECT_FALSE(slot(model.snapshot(), 5).used);
    EXPECT_EQ(CloseAndDiscard(), vt::sim::kSimNotEditing);
}

TEST_F(CommandFixture, RenameCopyMoveAndDelete) {
    ASSERT_EQ(CreateConfig(0, "{A}", 1), COMM_OK);
    ASSERT_EQ(CloseAndSave(), COMM_OK);
    ASSERT_EQ(ActivateConfig(0, "{A}", 1), COMM_OK);

    ASSERT_EQ(RenameConfig(0, "{A}", 1, 0, kFramed.c_str()), COMM_OK);
    EXPECT_EQ(slot(model.snapshot(), 0).name, kFramed);

    ASSERT_EQ(CopyConfig(0, kFramed.c_str(), 1, 10, "{Copy}", 3), COMM_OK);
    ASSERT_EQ(MoveConfig(0, kFramed.c_str(), 1, 31, kFramed.c_str(), 1), COMM_OK);
    SensorData d = model.snapshot();
    EXPECT_FALSE(slot(d, 0).used);
    EXPECT_EQ(slot(d, 10).name, "{Copy}");
    EXPECT_EQ(slot(d, 10).group, 3);
    EXPECT_EQ(slot(d, 31).name, kFramed);
    EXPECT_EQ(d.activeConfig, 31);  // the active mark moved with it

    // The old place no longer answers to the name.
    EXPECT_EQ(DeleteConfig(0, kFramed.c_str(), 1), vt::sim::kSimNoConfiguration);
    ASSERT_EQ(DeleteConfig(31, kFramed.c_str(), 1), COMM_OK);
    d = model.snapshot();
    EXPECT_FALSE(slot(d, 31).used);
    EXPECT_EQ(d.activeConfig, -1);
    EXPECT_TRUE(slot(d, 10).used);
}

TEST_F(CommandFixture, GroupMasterAndGroupActivation) {
    for (int i : {6, 7}) {
        const std::string name = "{G" + std::to_string(i) + "}";
        ASSERT_EQ(CreateConfig(i, name.c_str(), 4), COMM_OK);
        ASSERT_EQ(CloseAndSave(), COMM_OK);
    }
    ASSERT_EQ(SetAsGroupMaster(7, "{G7}", 4, 1), COMM_OK);
    ASSERT_EQ(ActivateGroup(4), COMM_OK);
    SensorData d = model.snapshot();
    EXPECT_EQ(slot(d, 7).masterState, 1);
    EXPECT_EQ(d.activeGroup, 4);
    EXPECT_EQ(d.activeConfig, 7);

    ASSERT_EQ(SetAsGroupMaster(6, "{G6}", 4, 1), COMM_OK);
    d = model.snapshot();
    EXPECT_EQ(slot(d, 6).masterState, 1);
    EXPECT_EQ(slot(d, 7).masterState, 0);

    EXPECT_EQ(ActivateGroup(5), vt::sim::kSimNoConfiguration);
    EXPECT_EQ(model.snapshot().activeGroup, 4);
}

}  // namespace

// The configuration manager's rules without a window: the slots and groups
// built from the sensor's lists, icons, command states, master types, name
// checks, the exposure steps and the information texts.
#include <gtest/gtest.h>

#include "core/config_info_text.h"
#include "core/config_store.h"
#include "core/exposure_steps.h"
#include "text/config_name_codec.h"

namespace {

struct SlotSpec {
    int index;
    std::string name;  // as the sensor sends it
    int group;         // -1 none, 0..7
    int master = 0;
    int active = 0;
};

ParameterList ConfigList(const std::vector<SlotSpec>& used) {
    ParameterList list;
    for (int k = 0; k < 32; ++k) {
        ParameterItem begin;
        begin.kind = PARAMETER_SECTION_BEGIN;
        ParameterItem end;
        end.kind = PARAMETER_SECTION_END;
        ParameterItem name, group, master, active;
        group.intValue = -1;
        for (const SlotSpec& s : used)
            if (s.index == k) {
                name.stringValue = s.name;
                group.intValue = s.group;
                master.intValue = s.master;
                active.intValue = s.active;
            }
        for (ParameterItem item : {begin, name, group, master, active, end}) list.push_back(item);
    }
    return list;
}

ParameterList GroupList(const std::vector<std::string>& names) {
    ParameterList list(8);
    for (std::size_t i = 0; i < names.size() && i < 8; ++i) list[i].stringValue = names[i];
    return list;
}

std::string Encoded(std::u16string_view name) {
    std::string out;
    EncodeConfigName(out, name);
    return out;
}

TEST(ConfigStore, SlotsAreUngroupedFirstThenByGroupInListOrder) {
    const ConfigStore store = BuildConfigStore(
        ConfigList({{0, Encoded(u"Late"), 1, 2, 0},
                    {3, Encoded(u"Alpha"), -1, 0, 1},
                    {5, "Line_1", 0},
                    {7, Encoded(u"Beta"), 1, 1},
                    {9, Encoded(u"Loose"), -1}}),
        GroupList({Encoded(u"Ovens"), "Packing", ""}));
    const std::vector<std::tuple<std::u16string, int, int, int, int, int>> want = {
        {u"Alpha", 4, 0, 0, 1, 1}, {u"Loose", 10, 0, 0, 0, 1}, {u"Line_1", 6, 1, 0, 0, 0},
        {u"Late", 1, 2, 2, 0, 1},  {u"Beta", 8, 2, 1, 0, 1}};
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(store.configSlots[i]);
        const CConfig& c = *store.configSlots[i];
        const auto& [name, number, group, master, active, encoded] = want[i];
        EXPECT_EQ(c.name, name);
        EXPECT_EQ(c.number, number);
        EXPECT_EQ(c.group, group);
        EXPECT_EQ(c.masterState, master);
        EXPECT_EQ(c.active, active);
        EXPECT_EQ(c.nameEncoded, encoded);
    }
    EXPECT_FALSE(store.configSlots[5]);
    EXPECT_EQ(store.groupNames[1], u"Ovens");
    EXPECT_EQ(store.groupNames[2], u"Packing");
    EXPECT_EQ(store.groupNames[3], u"");
    EXPECT_EQ(store.CheckFreeSlot(), 0);
    EXPECT_TRUE(store.IsAnyConfigActive());
    EXPECT_TRUE(store.GroupHasConfig(2));
    EXPECT_FALSE(store.GroupHasConfig(3));
    // Plain names are addressed escaped, encoded ones as decoded.
    EXPECT_EQ(AddressedName(*store.Find(6)), u"Line=5F1");
    EXPECT_EQ(AddressedName(*store.Find(4)), u"Alpha");
    EXPECT_EQ(ConfigItemText(*store.Find(4)), u"(04) Alpha");
    EXPECT_EQ(ConfigItemText(*store.Find(10)), u"(10) Loose");
}

TEST(ConfigStore, FullStoreAndFreeNumbers) {
    std::vector<SlotSpec> all;
    for (int k = 0; k < 32; ++k) all.push_back({k, Encoded(u"C" + std::u16string(1, u'a' + k % 26)), k % 9 - 1});
    const ConfigStore full = BuildConfigStore(ConfigList(all), GroupList({}));
    EXPECT_EQ(full.CheckFreeSlot(), -1);
    EXPECT_TRUE(full.FreeNumbers().empty());
    EXPECT_EQ(full.FreeNumbers(7), std::vector<int>{7});
    EXPECT_FALSE(full.IsAnyConfigActive());

    const ConfigStore some = BuildConfigStore(ConfigList({{0, "a", -1}, {2, "b", 3}}), GroupList({}));
    std::vector<int> free = some.FreeNumbers(3);
    EXPECT_EQ(free.front(), 2);
    EXPECT_EQ(free[1], 3);  // the current number among the free ones, ascending
    EXPECT_EQ(free.size(), 31u);
    // A short list ends the walk without reading past it.
    ParameterList cut = ConfigList({{0, "a", -1}, {1, "b", -1}});
    cut.resize(7);
    EXPECT_EQ(BuildConfigStore(cut, ParameterList{}).FreeNumbers().size(), 31u);
}

TEST(ConfigStore, IconsAndMasterTypes) {
    using namespace TreeIcon;
    struct Row {
        int group, master, active, icon, cut;
    };
    for (const Row& r : std::vector<Row>{{0, 0, 0, kConfig, kConfigCut},
                                         {0, 0, 1, kActiveConfig, kActiveConfigCut},
                                         {0, 2, 0, kConfig, kConfigCut},
                                         {3, 0, 1, kConfig, kConfigCut},
                                         {3, 1, 0, kMaster1, kMaster1Cut},
                                         {3, 2, 0, kMaster2, kMaster2Cut},
                                         {3, 3, 0, kMaster3, kMaster3Cut}}) {
        CConfig c;
        c.group = r.group;
        c.masterState = r.master;
        c.active = r.active;
        EXPECT_EQ(ConfigIcon(c), r.icon) << r.group << r.master << r.active;
        EXPECT_EQ(CutIcon(r.icon), r.cut);
        EXPECT_EQ(UncutIcon(r.cut), r.icon);
    }
    EXPECT_EQ(CutIcon(kGroup), kGroup);
    // icon x command -> master type
    struct MasterRow {
        int icon, capture, group;
    };
    for (const MasterRow& r : std::vector<MasterRow>{{kMaster2, 3, 3},
                                                     {kMaster2Cut, 3, 3},
                                                     {kMaster1, 0, 3},
                                                     {kMaster1Cut, 0, 3},
                                                     {kMaster3, 2, 2},
                                                     {kMaster3Cut, 2, 2},
                                                     {kConfig, 1, 2},
                                                     {kConfigCut, 1, 2}}) {
        EXPECT_EQ(MasterRequestType(MasterStateOfIcon(r.icon), true), r.capture) << r.icon;
        EXPECT_EQ(MasterRequestType(MasterStateOfIcon(r.icon), false), r.group) << r.icon;
    }
}

TEST(ConfigStore, SelectionKindGivesTheCommands) {
    using namespace TreeIcon;
    using K = SelectionKind;
    EXPECT_EQ(SelectionKindOf(-1, false), K::Root);
    EXPECT_EQ(SelectionKindOf(kSensor, false), K::Root);
    EXPECT_EQ(SelectionKindOf(kActiveGroup, true), K::Group);
    EXPECT_EQ(SelectionKindOf(kActiveConfigCut, true), K::Ungrouped);
    EXPECT_EQ(SelectionKindOf(kMaster1Cut, false), K::GroupedLow);
    EXPECT_EQ(SelectionKindOf(kConfig, false), K::GroupedLow);
    EXPECT_EQ(SelectionKindOf(kMaster3, false), K::GroupedHigh);
    // New Activate Edit Rename Cut Delete Upload Download Info Capture Copy Paste Group
    struct Row {
        K kind;
        bool groupHasConfig, active, clip;
        const char* on;
        int fileTransfer, newDelete;
    };
    for (const Row& r : std::vector<Row>{
             {K::Root, false, false, false, "1000000100000", 0, 1},
             {K::Root, false, false, true, "1000000100010", 0, 1},
             {K::Group, true, false, true, "1100000100010", 0, 1},
             {K::Group, true, true, false, "1000000100000", 0, 1},
             {K::Group, false, false, false, "1000000100000", 0, 1},
             {K::Ungrouped, false, false, true, "0111111010100", 1, 0},
             {K::Ungrouped, false, true, false, "0011111010100", 1, 0},
             {K::GroupedLow, false, false, true, "0011111011101", 1, 0},
             {K::GroupedHigh, false, false, false, "0011111011100", 1, 0}}) {
        const ConfigCommandStates st = CommandStatesFor(r.kind, r.groupHasConfig, r.active, r.clip);
        std::string got;
        for (bool b : st.on) got += b ? '1' : '0';
        EXPECT_EQ(got, r.on) << static_cast<int>(r.kind) << r.groupHasConfig << r.active << r.clip;
        EXPECT_EQ(st.fileTransfer, r.fileTransfer);
        EXPECT_EQ(st.newDelete, r.newDelete);
    }
}

TEST(ConfigStore, NameChecks) {
    struct Row {
        std::u16string name;
        bool escape;
        int newDialog, rename;
    };
    const std::u16string full(32, u'x');
    for (const Row& r : std::vector<Row>{{u"", false, 6034, 6034},
                                         {u"Line 1", false, 0, 0},
                                         {full, false, 0, 0},
                                         {u" Line", false, 6038, 6038},
                                         {u"Line ", false, 6038, 6038},
                                         {u"Line ", true, 0, 0},
                                         {u"Li\tne", false, 46524, 46524},
                                         {u"\tLine", false, 46524, 46524},  // checked before any trim
                                         {u" Li\x01", false, 46524, 6038},  // the order differs
                                         {u" ", false, 6038, 6038}}) {
        EXPECT_EQ(CheckNewName(r.name, r.escape), r.newDialog);
        EXPECT_EQ(CheckRenameName(r.name, r.escape), r.rename);
    }
    EXPECT_EQ(TrimName(u" \tLine 1\t "), u"Line 1");
    EXPECT_EQ(ConfigNumberText(3), u"03");
    EXPECT_EQ(ConfigNumberText(10), u"10");
}

TEST(ExposureSteps, TableStepsAndTexts) {
    ExposureTable t;
    ASSERT_EQ(BuildExposureTable(t), 193);
    EXPECT_EQ(t[0], 1.0f);
    EXPECT_EQ(t[20], 200.0f);
    EXPECT_EQ(t[21], 230.0f);
    EXPECT_EQ(t[30], 500.0f);
    EXPECT_EQ(t[31], 550.0f);
    EXPECT_EQ(t[60], 2000.0f);
    EXPECT_EQ(t[61], 2100.0f);
    EXPECT_EQ(t[190], 15000.0f);
    EXPECT_EQ(t[191], 15000.0f);
    EXPECT_EQ(t[192], 0.0f);
    EXPECT_EQ(t[193], 0.0f);
    struct Row {
        int value, step;
    };
    for (const Row& r : std::vector<Row>{{-5, 0}, {1, 0}, {5, 0}, {6, 1}, {15, 1}, {16, 2}, {215, 20}, {216, 21},
                                         {2050, 60}, {2051, 61}, {15000, 190}})
        EXPECT_EQ(FindExposureStep(t, 193, r.value), r.step) << r.value;
    EXPECT_EQ(FindExposureStep(t, 193, 20000), 191);
    EXPECT_EQ(FindExposureStep(t, -1, 500), 0);
    EXPECT_EQ(ExposureText(t, 20, u"us", u"ms"), u"200.00 us");
    EXPECT_EQ(ExposureText(t, 61, u"us", u"ms"), u"2.10 ms");
    EXPECT_EQ(ExposureText(t, 250, u"us", u"ms"), u"15.00 ms");
}

std::u16string Id(int id) {
    const std::string s = "#" + std::to_string(id);
    return std::u16string(s.begin(), s.end());
}

TEST(ConfigInfoTexts, FieldsBasicAndExtended) {
    ConfigurationRecords r;
    r.imageQuality.Internal = 1;
    r.imageQuality.Logarithmic = 0;
    r.imageQuality.ExposureTime = 2100;
    r.codeDefinition.CodeType = 1;
    r.codeDefinition.Recognition = 2;
    r.codeDefinition.CodesPerImage = 3;
    r.codeDefinition.MaxDecodingDuration = 250;
    r.filters = {1, 8, 9};
    r.processInterface.WorkingMode = 5;
    r.processInterface.StartString = "A=0D";
    r.processInterface.MatchString = "M";
    r.processInterface.ReferenceCode = "R";
    r.processInterface.AppendOutputDescription = 1;
    r.processInterface.AppendCodePosition = 2;
    r.processInterface.AppendImageData = 6;
    r.processInterface.StringNumerationActive = 1;
    r.trigger = {1, 4, 0, 900};
    r.barCode.CompositeComponentUsage = 2;
    r.barCode.CompositeComponentSeparator = "\xC3\xA4";
    ConfigInfoInput in{u"Name", 4, u"Ovens", &r, false, 0};
    ConfigInfoTexts basic = BuildConfigInfoTexts(in, Id);
    const std::map<int, std::u16string> want = {
        {1078, u"Name"}, {1079, u"5"}, {1080, u"Ovens"}, {1081, Id(7905)}, {1083, Id(7907)},
        {1082, u"2.10 " + Id(8611)}, {1084, Id(7163)}, {1085, Id(7412)}, {1086, u"3"},
        {1110, u"250 " + Id(8611)}, {1087, Id(7145)}, {1100, Id(7155)}, {1101, Id(7144)},
        {1088, Id(8037)}, {1089, u"A\r"}, {1092, u"M"}, {1093, u"R"}, {1106, Id(8042)}, {1107, Id(8043)},
        {1108, Id(8046)}, {1109, Id(8049)}, {1112, u""}, {1117, u""},
        {1095, Id(8602) + u" : 4  " + Id(8603) + u" : 900"}, {1094, Id(8606)}};
    for (const auto& [id, text] : want) EXPECT_EQ(basic.values[id], text) << id;
    for (int id : {1111, 1112, 1113, 1114, 1115, 1116, 1117, 1118}) EXPECT_TRUE(basic.disabled.count(id)) << id;
    EXPECT_FALSE(basic.disabled.count(1092));

    in.extended = true;
    ConfigInfoTexts ext = BuildConfigInfoTexts(in, Id);
    EXPECT_EQ(ext.values[1112], Id(20008));
    EXPECT_EQ(ext.values[1114], u"\u00e4");
    EXPECT_EQ(ext.values[1117], Id(8042));
    EXPECT_EQ(ext.values[1118], Id(20002));
    EXPECT_TRUE(ext.disabled.empty());
}

TEST(ConfigInfoTexts, EvenModesTriggerSourcesAndUnknownImageOutput) {
    ConfigurationRecords r;
    r.processInterface.MatchString = "M";
    ConfigInfoInput in{u"", 0, u"", &r, true, 2};
    for (int mode : {0, 2, 12}) {
        r.processInterface.WorkingMode = mode;
        ConfigInfoTexts t = BuildConfigInfoTexts(in, Id);
        EXPECT_EQ(t.values[1088], Id(8051));
        EXPECT_EQ(t.values[1092], u"");
        for (int id : {1073, 1092, 1074, 1093}) EXPECT_TRUE(t.disabled.count(id)) << mode << " " << id;
    }
    struct Row {
        int source, type, text;
    };
    for (const Row& row : std::vector<Row>{{0, 0, 8606}, {1, 0, 8607}, {2, 0, 7806}, {2, 2, 7835}, {2, 1, 7805},
                                           {3, 0, 8605}, {4, 0, 8613}, {5, 0, 8606}}) {
        r.trigger.TriggerSource = row.source;
        in.processInterfaceType = row.type;
        EXPECT_EQ(BuildConfigInfoTexts(in, Id).values[1094], Id(row.text)) << row.source << row.type;
    }
    r.trigger.TriggerWindow = 0;
    EXPECT_EQ(BuildConfigInfoTexts(in, Id).values[1095], Id(7820));
    for (int image : {0, 3, 7}) {
        r.processInterface.AppendImageData = image;
        EXPECT_EQ(BuildConfigInfoTexts(in, Id).values[1109], u"") << image;
    }
    r.processInterface.AppendImageData = 5;
    EXPECT_EQ(BuildConfigInfoTexts(in, Id).values[1109], Id(8048));
}

}  // namespace

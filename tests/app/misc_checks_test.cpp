// Address and input checks, the escaped text form and the configuration map.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/config_mngt.h"
#include "core/misc_checks.h"
#include "core/text_escape.h"
#include "temp_dir.h"

namespace {

TEST(MiscChecks, AddressClass) {
    struct Case {
        const char16_t* address;
        int expected;
    };
    const Case cases[] = {
        {u"192.168.0.1", 0}, {u"130.1.2.3", 0},        {u"10.0.0.1", 0},
        {u"010.1.2.3", 0},   {u"172.16.0.0", 0},       {u"172.31.255.255", 0},
        {u"200.1.2.0", 0},   {u"130.1.2.0", -1},       {u"130.1.2.255", -1},
        {u"128.1.2.3", -1},  {u"8.8.8.8", -1},         {u"192.168.1.256", -1},
        {u"0.0.0.0", -1},    {u"255.255.255.255", -1}, {u"224.0.0.1", -1},
        {u"172.32.0.1", 0},  {u"1.2.3", -1},           {u"1.2.3.4.5", -1},
        {u"1.2.3.x", -1},    {u" 1.2.3.4", -1},        {u"192.168.000.0001", -1},
        {u"", -1},           {u"127.0.0.1", -1},       {u"127.12.0.1", -1},
    };
    unsetenv(kAllowLoopbackSensorVariable);
    for (const Case& c : cases)
        EXPECT_EQ(CMisc::CheckAddressClass(c.address), c.expected)
            << std::string(c.address, c.address + std::char_traits<char16_t>::length(c.address));
    setenv(kAllowLoopbackSensorVariable, "1", 1);
    EXPECT_EQ(CMisc::CheckAddressClass(u"127.12.0.1"), 0);
    setenv(kAllowLoopbackSensorVariable, "0", 1);
    EXPECT_EQ(CMisc::CheckAddressClass(u"127.12.0.1"), -1);
    unsetenv(kAllowLoopbackSensorVariable);
}

TEST(MiscChecks, OctetsPortsAndPlausibleAddresses) {
    for (auto good : {u"0", u"007", u"255", u"010"}) EXPECT_TRUE(CMisc::IsValidOctet(good));
    for (auto bad : {u"256", u"1234", u"", u"-1", u"1a", u" 1"}) EXPECT_FALSE(CMisc::IsValidOctet(bad));
    EXPECT_FALSE(CMisc::IsValidPort(1023));
    EXPECT_TRUE(CMisc::IsValidPort(1024));
    EXPECT_TRUE(CMisc::IsValidPort(65535));
    EXPECT_FALSE(CMisc::IsValidPort(65536));
    EXPECT_FALSE(CMisc::IsPlausibleAddress(192, 168, 0, 0));
    EXPECT_TRUE(CMisc::IsPlausibleAddress(192, 168, 0, 1));
    EXPECT_TRUE(CMisc::IsPlausibleAddress(192, 168, 1, 0));
    EXPECT_FALSE(CMisc::IsPlausibleAddress(223, 255, 255, 0));
    EXPECT_FALSE(CMisc::IsPlausibleAddress(0, 0, 0, 0));
    EXPECT_FALSE(CMisc::IsPlausibleAddress(255, 255, 255, 255));
    EXPECT_TRUE(CMisc::IsPlausibleAddress(255, 255, 255, 254));
    EXPECT_EQ(CMisc::SplitAddress(u"010.2.x"), (std::array<int, 4>{10, 2, 0, 0}));
    EXPECT_EQ(CMisc::SplitAddress(u"1.2.3.4.5"), (std::array<int, 4>{1, 2, 3, 4}));
    EXPECT_EQ(CMisc::SplitAddress(u""), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(CMisc::FormatAddress(10, 0, 0, 7), u"10.0.0.7");
    EXPECT_TRUE(CMisc::IsInsideImage(639, 479));
    EXPECT_FALSE(CMisc::IsInsideImage(640, 0));
    EXPECT_FALSE(CMisc::IsInsideImage(0, 480));
}

TEST(MiscChecks, SensorNames) {
    struct Case {
        std::u16string name;
        int expected;
    };
    const Case cases[] = {
        {u"", -19011},
        {std::u16string(33, u'a'), -19010},
        {std::u16string(32, u'a'), 0},
        {u"COM9", -19014},
        {u"com9", -19014},
        {u"COM10", 0},
        {u"clock$", -19014},
        {u"LPT1", -19014},
        {u"a\x1F"
         u"b",
         0},
        {u"a\x1E"
         u"b",
         -19012},
        {u"a@b", -19012},
        {u"a\x7F", -19012},
        {u"\xC0x", 0},
        {u" ab", -19013},
        {u"ab ", -19012},
        {u"Line 4", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(CMisc::ValidateSensorName(c.name), c.expected);
}

TEST(MiscChecks, UnescapedLengthAndCodeTypeNames) {
    EXPECT_EQ(CMisc::GetUnescapedLength(u"\\x41abcdef"), 7);
    EXPECT_EQ(CMisc::GetUnescapedLength(u"ab\\x4"), 5);
    EXPECT_EQ(CMisc::GetUnescapedLength(u"plain"), 5);
    EXPECT_EQ(CMisc::GetCodeTypeStringId(22), 7184);
    EXPECT_EQ(CMisc::GetCodeTypeStringId(23), 20010);
    EXPECT_EQ(CMisc::GetCodeTypeStringId(37), -1);
    EXPECT_EQ(CMisc::GetCodeTypeStringId(-1), -1);
}

TEST(MiscChecks, LocalAddressesGiveAMaskOrSayNone) {
    std::u16string address = u"old", mask = u"old";
    int result = CMisc::GetLocalAddresses(address, mask);
    EXPECT_TRUE(result == 0 || result == -1);
    EXPECT_EQ(mask.empty(), result != 0);
    EXPECT_NE(address, u"old");
}

TEST(TextEscape, EscapesAlwaysTakeTwoDigitsAndReadBack) {
    EXPECT_EQ(EscapeText(u"a=b"), u"a=3Db");
    EXPECT_EQ(EscapeText(u"\t"), u"=09");
    EXPECT_EQ(EscapeText(u"\r\n"), u"=0D=0A");
    EXPECT_EQ(EscapeText(u"A b\\#$+,-."), u"A b\\#$+,-.");
    EXPECT_EQ(EscapeText(u"\u00E9"), u"=E9");
    EXPECT_EQ(EscapeText(u"\u20AC"), u"=E2=82=AC");
    for (std::u16string text :
         {std::u16string(u"\r\nOK"), std::u16string(u"\tA"), std::u16string(u"x=1;y\u00E9"),
          std::u16string(u"\u20AC 5"), std::u16string(u"\U0001F600!")})
        EXPECT_EQ(UnescapeText(EscapeText(text)), text);
    // A malformed escape ends the text.
    EXPECT_EQ(UnescapeText(u"ab=41=4"), u"abA");
    EXPECT_EQ(UnescapeText(u"ab=G1cd"), u"ab");
    EXPECT_EQ(UnescapeText(u"ab="), u"ab");
}

TEST(TextEscape, HexHelpersAndFileExists) {
    EXPECT_EQ(ParseHex(u"0x1G"), 1u);
    EXPECT_EQ(ParseHex(u"ff"), 255u);
    EXPECT_EQ(ParseHex(u"0XfF"), 255u);
    EXPECT_EQ(ParseHex(u""), 0u);
    EXPECT_EQ(IsHexDigit(u'F'), 0);
    EXPECT_EQ(IsHexDigit(u'9'), 0);
    EXPECT_EQ(IsHexDigit(u'f'), -1);
    EXPECT_EQ(IsHexDigit(u'G'), -1);

    vt::test::TempDir dir;
    auto file = dir.write("a.txt", "x");
    std::u16string folder(dir.path().u16string());
    EXPECT_TRUE(FileExists(file.u16string()));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(folder + u"/missing/a.txt"));
    EXPECT_FALSE(FileExists(folder + u"/b.txt"));
}

// A configuration list: 32 slots of six items, a section begin opening each group.
ParameterList ConfigList(int slots, int emptySlot) {
    ParameterList list;
    for (int k = 0; k < slots; ++k) {
        ParameterItem begin;
        begin.name = "Group" + std::to_string(k / 4);
        begin.kind = k % 4 == 0 ? PARAMETER_SECTION_BEGIN : PARAMETER_VALUE;
        list.push_back(begin);
        ParameterItem name;
        name.type = "STRING";
        name.stringValue = k == emptySlot ? "" : "Config" + std::to_string(k);
        list.push_back(name);
        for (int v = 0; v < 4; ++v) {
            ParameterItem value;
            value.type = "INT";
            value.intValue = 100 * k + v;
            list.push_back(value);
        }
    }
    return list;
}

TEST(ConfigMap, SlotsByTheirFirstValuePositionAndGroupsBySections) {
    CConfigMngt mngt;
    mngt.RebuildConfigMap(ConfigList(32, 3));
    EXPECT_EQ(mngt.ConfigMap().size(), 31u);
    ConfigListEntry entry;
    entry.name = "untouched";
    EXPECT_EQ(mngt.GetConfigEntry(20, 1, entry), -1);  // slot 3 is empty
    EXPECT_EQ(entry.name, "untouched");
    ASSERT_EQ(mngt.GetConfigEntry(26, 1, entry), 0);  // slot 4 opens the second group
    EXPECT_EQ(entry.name, "Config4");
    EXPECT_EQ(entry.group, 1);
    EXPECT_EQ(entry.values[0], 400);
    EXPECT_EQ(entry.values[2], 402);
    EXPECT_EQ(mngt.GetConfigEntry(26, 2, entry), -1);
    mngt.AddConfigEntry(26, ConfigListEntry{5, {1, 2, 3}, "Added"});
    ASSERT_EQ(mngt.GetConfigEntry(26, 2, entry), 0);
    EXPECT_EQ(entry.name, "Added");
}

TEST(ConfigMap, AShortListEndsTheWalk) {
    CConfigMngt mngt;
    ParameterList list = ConfigList(32, -1);
    list.resize(6 * 5 + 2);  // five slots and the start of a sixth
    mngt.RebuildConfigMap(list);
    EXPECT_EQ(mngt.ConfigMap().size(), 6u);
    ConfigListEntry entry;
    ASSERT_EQ(mngt.GetConfigEntry(32, 1, entry), 0);
    EXPECT_EQ(entry.values[0], 0);  // items past the end are not read
    mngt.RebuildConfigMap({});
    EXPECT_TRUE(mngt.ConfigMap().empty());
}

}  // namespace

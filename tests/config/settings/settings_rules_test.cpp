// The network and segment rules of the global settings, as tables.
#include <gtest/gtest.h>

#include "settings/network_rules.h"
#include "settings/segment_rules.h"

namespace {

OctetTexts Octets(const char16_t* a, const char16_t* b, const char16_t* c, const char16_t* d) { return {a, b, c, d}; }

TEST(NetworkRules, SubnetMasks) {
  struct Case {
    OctetTexts mask;
    bool valid;
  } cases[] = {
      {Octets(u"255", u"255", u"0", u"0"), true},     {Octets(u"255", u"255", u"255", u"252"), true},
      {Octets(u"255", u"0", u"255", u"0"), false},    {Octets(u"0", u"0", u"0", u"0"), false},
      {Octets(u"255", u"255", u"255", u"255"), false},
      // Not increasing, yet not one run of bits: refused as well.
      {Octets(u"255", u"253", u"0", u"0"), false},    {Octets(u"255", u"", u"0", u"0"), false},
      {Octets(u"256", u"0", u"0", u"0"), false},      {Octets(u"128", u"0", u"0", u"0"), true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidSubnetMask(c.mask), c.valid) << std::string(c.mask[1].begin(), c.mask[1].end());
}

TEST(NetworkRules, Ports) {
  EXPECT_FALSE(IsValidPortText(u"1023"));
  EXPECT_TRUE(IsValidPortText(u"1024"));
  EXPECT_TRUE(IsValidPortText(u"65535"));
  EXPECT_FALSE(IsValidPortText(u"65536"));
  EXPECT_FALSE(IsValidPortText(u""));
  EXPECT_FALSE(IsValidPortText(u"80a0"));
  EXPECT_EQ(CheckPortClash(8080, 8080, 2000), 1);
  EXPECT_EQ(CheckPortClash(8080, 50002, 50002), 1);
  EXPECT_EQ(CheckPortClash(8080, 50002, 1023), 2);
  EXPECT_EQ(CheckPortClash(8080, 50002, 2000), 0);
}

TEST(NetworkRules, AddressSetReportsTheLastFault) {
  NetworkFields good{Octets(u"172", u"20", u"1", u"9"), Octets(u"255", u"255", u"0", u"0"),
                     Octets(u"172", u"20", u"1", u"1"), u"8080", u"50002"};
  EXPECT_EQ(ValidateAddressSet(good).code, 0);
  struct Case {
    const char* what;
    void (*change)(NetworkFields&);
    int code;
    NetworkGroup group;
    int index;
  } cases[] = {
      {"bad octet", [](NetworkFields& f) { f.ip[2] = u"300"; }, kErrIpAddress, NetworkGroup::Ip, 2},
      {"reserved address", [](NetworkFields& f) { f.ip = Octets(u"192", u"168", u"0", u"0"); }, kErrIpAddress,
       NetworkGroup::Ip, -1},
      {"gappy mask", [](NetworkFields& f) { f.mask = Octets(u"255", u"253", u"0", u"0"); }, kErrSubnetMask,
       NetworkGroup::None, -1},
      {"empty mask octet", [](NetworkFields& f) { f.mask[3] = u""; }, kErrSubnetMask, NetworkGroup::Mask, 3},
      {"gateway octet", [](NetworkFields& f) { f.gateway[0] = u"x"; }, kErrGateway, NetworkGroup::Gateway, 0},
      {"reserved gateway", [](NetworkFields& f) { f.gateway = Octets(u"10", u"0", u"0", u"0"); }, kErrGateway,
       NetworkGroup::None, -1},
      {"video port", [](NetworkFields& f) { f.videoPort = u"1023"; }, kErrPort, NetworkGroup::VideoPort, 0},
      {"port after address", [](NetworkFields& f) { f.ip[0] = u""; f.xmlPort = u"65536"; }, kErrPort,
       NetworkGroup::XmlPort, 0},
  };
  for (const Case& c : cases) {
    NetworkFields f = good;
    c.change(f);
    const NetworkFault fault = ValidateAddressSet(f);
    EXPECT_EQ(fault.code, c.code) << c.what;
    EXPECT_EQ(fault.group, c.group) << c.what;
    EXPECT_EQ(fault.index, c.index) << c.what;
  }
}

TEST(SegmentRules, TextFormRoundTrips) {
  const auto rows = ParseSegments(u"10#20#30#40", 2);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].offset, u"10");
  EXPECT_EQ(rows[1].length, u"40");
  EXPECT_EQ(JoinSegments(rows), u"10#20#30#40");
  // Exactly 2N-1 separators: a missing field reads "0"; otherwise it stays empty.
  EXPECT_EQ(ParseSegments(u"5##7#8  ", 2)[0].length, u"0");
  EXPECT_EQ(ParseSegments(u"5#6", 2)[1].offset, u"");
  EXPECT_EQ(ParseSegments(u"0#4#4#8", 2)[1].offset, u"4");
}

TEST(SegmentRules, CountFromTheSensorIsClamped) {
  EXPECT_EQ(ClampSegmentCount(-5), 0);
  EXPECT_EQ(ClampSegmentCount(100000), 450);
  EXPECT_EQ(ParseSegments(u"", 100000).size(), 450u);
}

TEST(SegmentRules, RowChecks) {
  struct Case {
    const char16_t* offset;
    const char16_t* length;
    int controlBytes;
    int expected;
  } cases[] = {
      {u"449", u"1", 0, 0},    {u"450", u"0", 0, 9940}, {u"", u"1", 0, 9940},   {u"1a", u"1", 0, 9940},
      {u"0", u"450", 0, 0},    {u"0", u"451", 0, 9941}, {u"0", u"", 0, 9941},   {u"300", u"200", 0, 9942},
      {u"0", u"448", 2, 0},    {u"0", u"449", 2, 9943},
  };
  for (const Case& c : cases) {
    std::vector<SegmentRow> rows{{c.offset, c.length}};
    EXPECT_EQ(CheckSegmentRow(rows, 0, c.controlBytes), c.expected)
        << std::string(c.offset, c.offset + std::char_traits<char16_t>::length(c.offset));
  }
  // A row below 0 or past the end is no edited row: it passes.
  EXPECT_EQ(CheckSegmentRow({}, 0, 0), 0);
  EXPECT_EQ(AssemblySize({{u"0", u"200"}, {u"1", u"249"}}, 1), 450);
}

TEST(SegmentRules, Counts) {
  EXPECT_EQ(CheckSegmentCount(0), 9944);  // deleting the only segment
  EXPECT_EQ(CheckSegmentCount(1), 0);
  EXPECT_EQ(CheckSegmentCount(451), 9944);
  EXPECT_EQ(CheckAssemblyLength(u"0"), 9945);
  EXPECT_EQ(CheckAssemblyLength(u"1"), 0);
  EXPECT_EQ(CheckAssemblyLength(u"450"), 0);
  EXPECT_EQ(CheckAssemblyLength(u"451"), 9945);
  EXPECT_EQ(CheckAssemblyLength(u""), 9945);
}

}  // namespace

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "reply_parser.h"

namespace {

const std::string S = "\x1C";

std::string reply(const std::string& type, const std::string& numbers = "1" + S + "7" + S + "9" + S) {
    return "QEL DOVIZEREZI" + S + type + S + "Line 3" + S + "Hall B" + S + "192.168.0.17" + S +
           "255.255.255.0" + S + "00:0A:3C:11:22:33" + S + numbers;
}

struct ParseCase {
    const char* name;
    std::string text;
    int expected;
};

class ReplyParser : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ReplyParser, GivesTheStatus) {
    SensorDiscoveryRecord record{};
    EXPECT_EQ(sonvira::parseDiscoveryReply(GetParam().text, record), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplyParser,
    ::testing::Values(
        ParseCase{"EachKnownType", reply("R5T"), SONVIRA_FOUND},
        ParseCase{"T6Q", reply("T6Q"), SONVIRA_FOUND}, ParseCase{"R5TOV", reply("R5T_OV"), SONVIRA_FOUND},
        ParseCase{"TypeWithOneMoreLetter", reply("K7MX"), SONVIRA_REPLY_UNKNOWN_TYPE},
        ParseCase{"TypeInLowerCase", reply("k7m"), SONVIRA_REPLY_UNKNOWN_TYPE},
        ParseCase{"AnotherVendor", "ACME SCANNER" + S + "K7M" + S, SONVIRA_NOT_FOUND},
        ParseCase{"VendorPrefixOnly", "QEL DOVIZEREZ" + S, SONVIRA_NOT_FOUND},
        ParseCase{"Empty", "", SONVIRA_NOT_FOUND},
        ParseCase{"IdentificationWithoutSeparator", "QEL DOVIZEREZI", SONVIRA_REPLY_TRUNCATED},
        ParseCase{"NumbersMissing", reply("K7M", ""), SONVIRA_REPLY_BAD_NUMBER},
        ParseCase{"CutAfterTheMacField",
                  "QEL DOVIZEREZI" + S + "K7M" + S + "n" + S + "s" + S + "1.2.3.4" + S + "255.0.0.0" + S +
                      "00:0A:3C:11:22:33",
                  SONVIRA_REPLY_TRUNCATED},
        ParseCase{"CutAfterTheType", "QEL DOVIZEREZI" + S + "K7M" + S, SONVIRA_REPLY_TRUNCATED},
        ParseCase{"ZeroByteEndsTheText", reply("K7M").insert(20, 1, '\0'), SONVIRA_REPLY_TRUNCATED},
        ParseCase{"LastNumberWithoutSeparator", reply("K7M", "0" + S + "7" + S + "9"), SONVIRA_FOUND},
        ParseCase{"NumbersWithBlanksAndSigns", reply("K7M", " 1 " + S + "+7" + S + "-9" + S), SONVIRA_FOUND},
        ParseCase{"TwoNumbersOnly", reply("K7M", "1" + S + "7" + S), SONVIRA_REPLY_BAD_NUMBER},
        ParseCase{"NumberWithTrailingText", reply("K7M", "1" + S + "7x" + S + "9" + S),
                  SONVIRA_REPLY_BAD_NUMBER},
        ParseCase{"NumberTooLarge", reply("K7M", "1" + S + "7" + S + "99999999999" + S),
                  SONVIRA_REPLY_BAD_NUMBER},
        ParseCase{"EmptyNumber", reply("K7M", "" + S + "7" + S + "9" + S), SONVIRA_REPLY_BAD_NUMBER}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReplyParserRecord, FillsEveryFieldOfAK7MReply) {
    SensorDiscoveryRecord record;
    std::memset(&record, 0, sizeof record);
    ASSERT_EQ(sonvira::parseDiscoveryReply(reply("K7M"), record), SONVIRA_FOUND);
    EXPECT_STREQ(record.type, "K7M");
    EXPECT_STREQ(record.name, "Line 3");
    EXPECT_STREQ(record.secondText, "Hall B");
    EXPECT_STREQ(record.ip, "192.168.0.17");
    EXPECT_STREQ(record.mask, "255.255.255.0");
    EXPECT_STREQ(record.mac, "00:0A:3C:11:22:33");
    EXPECT_EQ(record.dhcp, 1);
    EXPECT_EQ(record.number1, 7);
    EXPECT_EQ(record.number2, 9);
}

TEST(ReplyParserRecord, AnyNonZeroNumberSetsTheDhcpFlag) {
    SensorDiscoveryRecord record{};
    ASSERT_EQ(sonvira::parseDiscoveryReply(reply("K7M", "-5" + S + "0" + S + "0" + S), record),
              SONVIRA_FOUND);
    EXPECT_EQ(record.dhcp, 1);
    ASSERT_EQ(sonvira::parseDiscoveryReply(reply("K7M", "0" + S + "0" + S + "0" + S), record), SONVIRA_FOUND);
    EXPECT_EQ(record.dhcp, 0);
}

TEST(ReplyParserRecord, CutsOversizedFieldsToTheirWidthAndLeavesTheNeighboursIntact) {
    std::string name(500, 'n'), second(500, 's'), ip(40, '1'), mask(40, '2'), mac(40, 'm');
    std::string text = "QEL DOVIZEREZI" + S + "K7M" + S + name + S + second + S + ip + S + mask + S + mac +
                       S + "1" + S + "2" + S + "3" + S;
    SensorDiscoveryRecord record;
    std::memset(&record, 0x55, sizeof record);
    record.padding[0] = record.padding[1] = record.padding[2] = 0;
    ASSERT_EQ(sonvira::parseDiscoveryReply(text, record), SONVIRA_FOUND);
    EXPECT_EQ(std::string(record.name), std::string(96, 'n'));
    EXPECT_EQ(std::string(record.secondText), std::string(192, 's'));
    EXPECT_STREQ(record.type, "K7M");
    EXPECT_EQ(std::string(record.ip), std::string(15, '1'));
    EXPECT_EQ(std::string(record.mask), std::string(15, '2'));
    EXPECT_EQ(std::string(record.mac), std::string(17, 'm'));
    EXPECT_EQ(record.dhcp, 1);
    EXPECT_EQ(record.number1, 2);
    EXPECT_EQ(record.number2, 3);
}

TEST(ReplyParserRecord, OverlongTypeIsUnknownAndCut) {
    SensorDiscoveryRecord record;
    std::memset(&record, 0x55, sizeof record);
    ASSERT_EQ(sonvira::parseDiscoveryReply(reply(std::string(80, 'K')), record), SONVIRA_REPLY_UNKNOWN_TYPE);
    EXPECT_EQ(std::string(record.type), std::string(31, 'K'));
    EXPECT_STREQ(record.ip, "192.168.0.17") << "the type must not run into the next field";
}

}  // namespace

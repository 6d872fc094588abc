#include <gtest/gtest.h>

#include <cstring>

#include "simulated_subnet.h"
#include "sonvira/sonvira.h"

namespace {

using vt::test::SimulatedSubnet;

struct MacSearch : ::testing::Test {
    SimulatedSubnet net;
    char ip[16];
    char mask[16];

    void SetUp() override {
        std::memset(ip, 'X', sizeof ip);
        std::memset(mask, 'X', sizeof mask);
        auto first = SimulatedSubnet::sensor("First", "00:0A:3C:00:00:04");
        first.mask = "255.255.255.240";
        net.add(4, first);
        net.add(6, SimulatedSubnet::foreign());
        auto second = SimulatedSubnet::sensor("Second", "00:0A:3C:00:00:0B");
        second.ip = "192.168.100.20";  // the sensor's own view, as it would report it
        second.mask = "255.255.0.0";
        net.add(11, second);
    }
};

TEST_F(MacSearch, FindsTheSensorsAddressAndMaskByItsMac) {
    // Any host of the subnet names it.
    ASSERT_EQ(Sonvira_MAC2IP("00:0A:3C:00:00:0B", net.hostText(1).c_str(), net.maskText().c_str(), ip, mask),
              SONVIRA_FOUND);
    EXPECT_STREQ(ip, "192.168.100.20");
    EXPECT_STREQ(mask, "255.255.0.0");
    ASSERT_EQ(Sonvira_MAC2IP("00:0A:3C:00:00:04", net.hostText(9).c_str(), net.maskText().c_str(), ip, mask),
              SONVIRA_FOUND);
    EXPECT_EQ(std::string(ip), net.hostText(4));
    EXPECT_STREQ(mask, "255.255.255.240");
}

TEST_F(MacSearch, TheMacMatchesWithoutRegardToCase) {
    // The program may hold the MAC in another case than the sensor reports it.
    ASSERT_EQ(Sonvira_MAC2IP("00:0a:3c:00:00:0b", net.hostText(1).c_str(), net.maskText().c_str(), ip, mask),
              SONVIRA_FOUND);
    EXPECT_STREQ(ip, "192.168.100.20");
    ASSERT_EQ(Sonvira_MAC2IP("00:0A:3C:00:00:0C", net.hostText(1).c_str(), net.maskText().c_str(), ip, mask),
              SONVIRA_NOT_FOUND);
    EXPECT_STREQ(ip, "");
    EXPECT_STREQ(mask, "");
}

TEST_F(MacSearch, WithoutAMaskSearchesTheClassCSubnet) {
    vt::test::QueryEveryHost everyHost;  // a whole /24 of echo requests takes seconds
    ASSERT_EQ(Sonvira_MAC2IP("00:0A:3C:00:00:04", net.hostText(1).c_str(), nullptr, ip, mask), SONVIRA_FOUND);
    EXPECT_EQ(std::string(ip), net.hostText(4));
}

TEST_F(MacSearch, RefusesBadArgumentsAndEmptiesTheOutputs) {
    EXPECT_EQ(Sonvira_MAC2IP("00:0A:3C:00:00:04", net.hostText(1).c_str(), "255.0.255.0", ip, mask),
              SONVIRA_INVALID_NETWORK);
    EXPECT_STREQ(ip, "");
    EXPECT_STREQ(mask, "");
    EXPECT_EQ(Sonvira_MAC2IP("00:0A:3C:00:00:04", "127.1", nullptr, ip, mask), SONVIRA_INVALID_NETWORK);
    EXPECT_EQ(Sonvira_MAC2IP("00:0A:3C:00:00:04", net.hostText(1).c_str(), nullptr, nullptr, mask),
              SONVIRA_NULL_BUFFER);
    EXPECT_EQ(Sonvira_MAC2IP("00:0A:3C:00:00:04", net.hostText(1).c_str(), nullptr, ip, nullptr),
              SONVIRA_NULL_BUFFER);
}

}  // namespace

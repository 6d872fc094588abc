#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "sonvira/sonvira.h"
#include "subnet_address.h"

namespace {

struct AddCase {
    const char* name;
    const char* network;
    const char* mask;
    int expected;
};

class AddSubnet : public ::testing::TestWithParam<AddCase> {
protected:
    void SetUp() override { Sonvira_CleanSubnetList(); }
    void TearDown() override { Sonvira_CleanSubnetList(); }
};

TEST_P(AddSubnet, JudgesTheAddressAndMask) {
    EXPECT_EQ(Sonvira_AddSubnet(GetParam().network, GetParam().mask), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddSubnet,
    ::testing::Values(AddCase{"ClassC", "192.168.0.0", "255.255.255.0", SONVIRA_OK},
                      AddCase{"Slash30", "10.0.0.4", "255.255.255.252", SONVIRA_OK},
                      AddCase{"Slash1", "128.0.0.0", "128.0.0.0", SONVIRA_OK},
                      AddCase{"HostNotNetwork", "192.168.0.5", "255.255.255.0", SONVIRA_NOT_NETWORK_ADDRESS},
                      AddCase{"NoHostBits", "192.168.0.0", "255.255.255.255", SONVIRA_INVALID_SUBNET},
                      AddCase{"NoNetworkBits", "0.0.0.0", "0.0.0.0", SONVIRA_INVALID_SUBNET},
                      AddCase{"MaskWithAHole", "10.0.0.0", "255.0.255.0", SONVIRA_INVALID_SUBNET},
                      AddCase{"MaskOctetTooLarge", "10.0.0.0", "255.256.0.0", SONVIRA_INVALID_SUBNET},
                      AddCase{"MaskWithFiveParts", "10.0.0.0", "255.255.255.0.0", SONVIRA_INVALID_SUBNET},
                      AddCase{"AddressUnreadable", "192.168.0", "255.255.255.0", SONVIRA_INVALID_SUBNET},
                      AddCase{"AddressAllOnes", "255.255.255.255", "255.255.255.0", SONVIRA_INVALID_SUBNET},
                      AddCase{"NullNetwork", nullptr, "255.255.255.0", SONVIRA_INVALID_SUBNET},
                      AddCase{"NullMask", "192.168.0.0", nullptr, SONVIRA_INVALID_SUBNET},
                      AddCase{"OverlongText", "192.168.0.0                                        ",
                              "255.255.255.0", SONVIRA_INVALID_SUBNET}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AddSubnetList, RefusesTheSamePairTwiceButTakesAnotherMask) {
    Sonvira_CleanSubnetList();
    EXPECT_EQ(Sonvira_AddSubnet("192.168.0.0", "255.255.255.0"), SONVIRA_OK);
    EXPECT_EQ(Sonvira_AddSubnet("192.168.0.0", "255.255.255.0"), SONVIRA_SUBNET_LISTED);
    EXPECT_EQ(Sonvira_AddSubnet("192.168.0.0", "255.255.0.0"), SONVIRA_OK);
    Sonvira_CleanSubnetList();
    EXPECT_EQ(Sonvira_AddSubnet("192.168.0.0", "255.255.255.0"), SONVIRA_OK) << "the list was emptied";
    Sonvira_CleanSubnetList();
}

struct NetworkCase {
    const char* name;
    const char* ip;
    const char* mask;
    int expected;
    const char* network;
};

class GetNetworkIP : public ::testing::TestWithParam<NetworkCase> {};

TEST_P(GetNetworkIP, WritesTheNetworkAddress) {
    char out[32];
    std::memset(out, 'X', sizeof out);
    ASSERT_EQ(Sonvira_GetNetworkIP(GetParam().ip, GetParam().mask, out), GetParam().expected);
    if (GetParam().expected == SONVIRA_OK) {
        EXPECT_STREQ(out, GetParam().network);
        EXPECT_EQ(out[std::strlen(out) + 1], 'X') << "wrote past the zero";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GetNetworkIP,
    ::testing::Values(NetworkCase{"ClassA", "10.1.2.3", "255.0.0.0", SONVIRA_OK, "10.0.0.0"},
                      NetworkCase{"Slash20", "172.16.77.9", "255.255.240.0", SONVIRA_OK, "172.16.64.0"},
                      NetworkCase{"LongestText", "192.168.255.254", "255.255.255.254", SONVIRA_OK,
                                  "192.168.255.254"},
                      NetworkCase{"MaskWithAHole", "10.1.2.3", "255.0.255.0", SONVIRA_INVALID_NETWORK, ""},
                      NetworkCase{"Slash32", "10.1.2.3", "255.255.255.255", SONVIRA_INVALID_NETWORK, ""},
                      NetworkCase{"BadAddress", "10.1.2.x", "255.0.0.0", SONVIRA_INVALID_NETWORK, ""},
                      NetworkCase{"NullAddress", nullptr, "255.0.0.0", SONVIRA_INVALID_NETWORK, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GetNetworkIPBuffer, NullOutputIsAnError) {
    EXPECT_EQ(Sonvira_GetNetworkIP("10.1.2.3", "255.0.0.0", nullptr), SONVIRA_NULL_BUFFER);
}

TEST(GetNetworkIPThreads, EachCallKeepsItsOwnAddressState) {
    // Callers on several threads at once must each get the network of their own
    // address, while others add and clear subnets.
    Sonvira_CleanSubnetList();
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t, &wrong] {
            std::string ip = "10." + std::to_string(t) + ".77.9",
                        expected = "10." + std::to_string(t) + ".64.0";
            std::string network = "172." + std::to_string(16 + t) + ".0.0";
            for (int i = 0; i < 2000; ++i) {
                char out[16];
                if (Sonvira_GetNetworkIP(ip.c_str(), "255.255.192.0", out) != SONVIRA_OK || out != expected)
                    ++wrong;
                int added = Sonvira_AddSubnet(network.c_str(), "255.255.0.0");
                if (added != SONVIRA_OK && added != SONVIRA_SUBNET_LISTED) ++wrong;
                if (i % 100 == 0) Sonvira_CleanSubnetList();
            }
        });
    for (auto& thread : threads) thread.join();
    Sonvira_CleanSubnetList();
    EXPECT_EQ(wrong.load(), 0);
}

std::vector<std::string> walk(const char* subnet, const char* mask) {
    sonvira::HostRange range;
    EXPECT_EQ(range.begin(subnet, mask), SONVIRA_OK);
    std::vector<std::string> hosts;
    uint32_t host = 0;
    while (range.next(host) == SONVIRA_OK) {
        char text[16];
        std::snprintf(text, sizeof text, "%u.%u.%u.%u", host >> 24, (host >> 16) & 255, (host >> 8) & 255,
                      host & 255);
        hosts.emplace_back(text);
    }
    EXPECT_EQ(range.next(host), SONVIRA_RANGE_END) << "the end is sticky";
    return hosts;
}

TEST(HostRange, WalksEveryHostBetweenNetworkAndBroadcast) {
    auto c = walk("192.168.7.0", "255.255.255.0");
    ASSERT_EQ(c.size(), 254u);
    EXPECT_EQ(c.front(), "192.168.7.1");
    EXPECT_EQ(c.back(), "192.168.7.254");
    EXPECT_EQ(walk("10.0.0.4", "255.255.255.252"), (std::vector<std::string>{"10.0.0.5", "10.0.0.6"}));
    EXPECT_TRUE(walk("10.0.0.4", "255.255.255.254").empty()) << "a /31 has no host between its two ends";
}

TEST(HostRange, RefusesATextThatIsNotItsOwnNetworkAddress) {
    sonvira::HostRange range;
    EXPECT_EQ(range.begin("192.168.7.1", "255.255.255.0"), SONVIRA_NOT_SUBNET_TEXT);
    uint32_t host = 0;
    EXPECT_EQ(range.next(host), SONVIRA_RANGE_END);
}

TEST(SubnetAddress, ComputesBroadcastHostCountAndPrefix) {
    sonvira::SubnetAddress subnet;
    ASSERT_EQ(subnet.assign("172.16.77.9", "255.255.240.0"), SONVIRA_OK);
    EXPECT_EQ(subnet.broadcast(), (172u << 24) | (16u << 16) | (79u << 8) | 255u);
    EXPECT_EQ(subnet.hostCount(), 4094u);
    EXPECT_EQ(subnet.prefixLength(), 20);
}

}  // namespace

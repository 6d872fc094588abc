// The search's units beside the exports: the echo sweep repeated on one
// socket, and the queries that run side by side.
#include <gtest/gtest.h>

#include <vector>

#include "discovery_settings.h"
#include "echo_sweep.h"
#include "platform/icmp_echo.h"
#include "sensor_query.h"
#include "simulated_subnet.h"
#include "subnet_search.h"

namespace {

using vt::test::SimulatedSubnet;

// Between the sweeps every host is queried, as a search does: the hosts
// without a responder answer with port-unreachable messages that each carry
// the query. None of that may cost the next sweep a reply.
TEST(EchoSweep, RepeatedSweepsOnOneSocketEachFindEveryHost) {
    vt::IcmpEcho echo;
    echo.open();
    if (echo.kind() == vt::IcmpEchoKind::None) GTEST_SKIP() << "no echo socket permitted here";
    SimulatedSubnet net(24);
    net.add(1, SimulatedSubnet::sensor("first", "00:0A:3C:00:00:01"));
    sonvira::StopFlag stop;
    for (int sweep = 0; sweep < 3; ++sweep) {
        std::vector<uint32_t> hosts;
        ASSERT_EQ(sonvira::sweepSubnet(net.networkText(), net.maskText(), &echo, stop, hosts), SONVIRA_OK);
        ASSERT_EQ(hosts.size(), 254u) << "sweep " << sweep;
        EXPECT_EQ(hosts.front(), net.subnet().host(1));
        int sensors = 0;
        sonvira::queryHosts(hosts, {net.port(), sonvira::kQueriesInFlight, vt::test::kGenerousReplyWindow}, stop,
                            [&](std::size_t, DiscoveryStatus status, const SensorDiscoveryRecord&) {
                                sensors += status == SONVIRA_FOUND ? 1 : 0;
                                return true;
                            });
        EXPECT_EQ(sensors, 1);
    }
}

TEST(EchoSweep, ASearchRunThreeTimesFindsTheSensorAtTheFirstAddressEachTime) {
    SimulatedSubnet net(24);
    net.add(1, SimulatedSubnet::sensor("first", "00:0A:3C:00:00:01"));
    net.add(254, SimulatedSubnet::sensor("last", "00:0A:3C:00:00:FE"));
    sonvira::StopFlag stop;
    sonvira::SubnetSearch search({net.port(), true, vt::test::kGenerousReplyWindow}, stop);
    ASSERT_EQ(search.open(), 0);
    for (int run = 0; run < 3; ++run) {
        std::vector<std::string> names;
        EXPECT_EQ(search.run(net.networkText(), net.maskText(),
                             [&](std::unique_ptr<SensorDiscoveryRecord> r) {
                                 names.emplace_back(r->name);
                                 return true;
                             }),
                  2)
            << "run " << run;
        EXPECT_EQ(names, (std::vector<std::string>{"first", "last"}));
    }
}

// A silent host holds its query for the whole reply window; the others are
// asked meanwhile, not after it. Results still come in host order.
TEST(QueryHosts, SilentHostsAreAskedSideBySideAndResultsComeInHostOrder) {
    SimulatedSubnet net(28);
    std::vector<vt::sim::DiscoveryResponder*> silent;
    for (uint32_t index = 1; index <= 12; ++index) silent.push_back(&net.addSilent(index));
    net.add(13, SimulatedSubnet::sensor("answers", "00:0A:3C:00:00:0D"));
    std::vector<uint32_t> hosts;
    for (uint32_t index = 1; index <= 14; ++index) hosts.push_back(net.subnet().host(index));  // 14: refuses

    sonvira::StopFlag stop;
    std::vector<std::size_t> order;
    std::vector<DiscoveryStatus> statuses;
    int askedWhenTheFirstEnded = -1;
    // The silent hosts hold the test for the whole window; the answering one
    // must make it within the window on a loaded machine too.
    const sonvira::QueryOptions options{net.port(), sonvira::kQueriesInFlight, std::chrono::milliseconds{2000}};
    sonvira::queryHosts(hosts, options, stop,
                        [&](std::size_t index, DiscoveryStatus status, const SensorDiscoveryRecord&) {
                            if (order.empty()) {
                                askedWhenTheFirstEnded = 0;
                                for (auto* responder : silent) askedWhenTheFirstEnded += responder->queriesReceived();
                            }
                            order.push_back(index);
                            statuses.push_back(status);
                            return true;
                        });
    // One at a time, only the first would have been asked by then (all 12
    // are, but a loaded machine may not have run every responder yet).
    EXPECT_GT(askedWhenTheFirstEnded, 1);
    ASSERT_EQ(order.size(), hosts.size());
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], i);
    EXPECT_EQ(statuses[0], 0);
    EXPECT_EQ(statuses[12], SONVIRA_FOUND);
    EXPECT_EQ(statuses[13], SONVIRA_SYSTEM_ERROR_BASE + ECONNREFUSED);
}

TEST(QueryHosts, AFalseFromTheSinkEndsTheQueries) {
    SimulatedSubnet net(28);
    net.add(1, SimulatedSubnet::sensor("a", "00:0A:3C:00:00:01"));
    net.add(2, SimulatedSubnet::sensor("b", "00:0A:3C:00:00:02"));
    const std::vector<uint32_t> hosts{net.subnet().host(1), net.subnet().host(2)};
    sonvira::StopFlag stop;
    int calls = 0;
    sonvira::queryHosts(hosts, {net.port(), 1, vt::test::kGenerousReplyWindow}, stop,
                        [&](std::size_t, DiscoveryStatus, const SensorDiscoveryRecord&) {
        ++calls;
        return false;
    });
    EXPECT_EQ(calls, 1);
}

// Only a whole number of milliseconds from 1 to a minute replaces the window.
TEST(DiscoverySettings, TheReplyWindowComesFromTheEnvironmentWhenItIsAPlausibleNumber) {
    using std::chrono::milliseconds;
    struct Case {
        const char* text;
        milliseconds window;
    };
    const Case cases[] = {{nullptr, sonvira::kReplyWindow}, {"2500", milliseconds{2500}},
                          {"1", milliseconds{1}},          {"60000", milliseconds{60000}},
                          {"60001", sonvira::kReplyWindow}, {"0", sonvira::kReplyWindow},
                          {"-5", sonvira::kReplyWindow},    {"", sonvira::kReplyWindow},
                          {"3s", sonvira::kReplyWindow},    {"99999999999", sonvira::kReplyWindow}};
    for (const Case& c : cases) {
        if (c.text == nullptr)
            ::unsetenv(sonvira::kReplyWindowEnv);
        else
            ::setenv(sonvira::kReplyWindowEnv, c.text, 1);
        EXPECT_EQ(sonvira::discoverySettingsFromEnvironment().replyWindow, c.window) << (c.text ? c.text : "unset");
    }
    ::unsetenv(sonvira::kReplyWindowEnv);
}

}  // namespace

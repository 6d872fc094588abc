// A simulated sensor on a loopback address of its own, and a library that
// is disconnected again after each test.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "dravik/dravik.h"
#include "library_state.h"
#include "loopback_address.h"
#include "recording_target.h"
#include "sim/connection_methods.h"
#include "sim/sensor_state.h"
#include "sim/xmlrpc_server.h"

namespace vt::test {

class DravikFixture : public ::testing::Test {
protected:
    void SetUp() override {
        vt::sim::addConnectionMethods(server, sensor);
        ASSERT_TRUE(server.start()) << server.error();
    }
    void TearDown() override {
        Disconnect(nullptr);
        std::lock_guard lock(dravik::libraryState().mutex);
        dravik::libraryState().localAddressSource = nullptr;
        dravik::libraryState().hostMap.clear();
        dravik::libraryState().heartbeat = {};
    }

    int connect(const char* key = "sensor", VtWindow window = nullptr) {
        version[0] = type[0] = '\0';
        return Connect(window, key, server.address().c_str(), server.port(), version, type);
    }

    // The next connections' heartbeat in quick rounds: 100 ms, probes of 0.2 s.
    static void quickHeartbeat() {
        std::lock_guard lock(dravik::libraryState().mutex);
        dravik::libraryState().heartbeat = {100, 0.2, 2};
    }

    // Makes Connect see this local address instead of the real one.
    static void pretendLocalAddress(const std::string& address) {
        std::lock_guard lock(dravik::libraryState().mutex);
        dravik::libraryState().localAddressSource = [address](dravik::XmlRpcClientTimeout&) {
            return address;
        };
    }

    void setIdentity(const std::function<void(vt::sim::SensorState::Identity&)>& change) {
        auto id = sensor.identity();
        change(id);
        sensor.setIdentity(id);
    }

    vt::sim::SensorState sensor;
    vt::sim::XmlRpcServer server{uniqueLoopbackAddress()};
    char version[DRAVIK_CONNECT_TEXT_SIZE] = {};
    char type[DRAVIK_CONNECT_TEXT_SIZE] = {};
};

}  // namespace vt::test

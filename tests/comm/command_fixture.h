// A connected library and a simulated sensor that answers the command and
// slot methods.
#pragma once

#include "dravik/sensor_commands.h"
#include "dravik_fixture.h"
#include "sim/sensor_command_methods.h"
#include "sim/sensor_model.h"

namespace vt::test {

class CommandFixture : public DravikFixture {
protected:
    void SetUp() override {
        vt::sim::addSensorCommandMethods(server, model);
        DravikFixture::SetUp();
        ASSERT_EQ(connect(), COMM_OK);
        server.clearCalls();
    }
    // The server's threads use the model, which goes before the base's server.
    void TearDown() override {
        DravikFixture::TearDown();
        server.stop();
    }

    // The parameters of the last request of the method, or an invalid value.
    XmlRpc::XmlRpcValue lastParams(const std::string& method) const {
        const auto calls = server.calls();
        for (auto it = calls.rbegin(); it != calls.rend(); ++it)
            if (it->method == method) return it->params;
        return {};
    }

    vt::sim::SensorModel model;
};

}  // namespace vt::test

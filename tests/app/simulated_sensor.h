// A whole simulated sensor on a loopback address of its own: every method
// group the program uses, as varnis-sim puts them together.
#pragma once

#include <chrono>

#include "loopback_address.h"
#include "platform/ipv4.h"
#include "sim/config_file_methods.h"
#include "sim/connection_methods.h"
#include "sim/live_image_methods.h"
#include "sim/live_image_source.h"
#include "sim/lock_methods.h"
#include "sim/parameter_methods.h"
#include "sim/pc_session.h"
#include "sim/reading_methods.h"
#include "sim/reading_model.h"
#include "sim/sensor_command_methods.h"
#include "sim/sensor_globals_record.h"
#include "sim/sensor_model.h"
#include "sim/sensor_state.h"
#include "sim/update_methods.h"
#include "sim/xmlrpc_server.h"

namespace vt::test {

class SimulatedSensor {
public:
    // On a loopback address of its own, or at address:port (a sensor a scan
    // finds is connected on 8080).
    explicit SimulatedSensor(std::string address = uniqueLoopbackAddress(), uint16_t port = 0)
        : server(std::move(address), port) {
        vt::sim::addConnectionMethods(server, identity);
        vt::sim::addLiveImageMethods(server, liveImage, &model.script());
        lock.install(server);
        update.install(server);
        vt::sim::addSensorCommandMethods(server, model);
        vt::sim::addConfigFileMethods(server, configFiles);
        vt::sim::addParameterMethods(server, model, parameters);
        vt::sim::addReadingMethods(server, model, readings);
        session.install(server, identity);
    }
    ~SimulatedSensor() { Stop(); }

    // False with the reason in error() when the server cannot start. The
    // live image streams on the port the global settings name, as a
    // sensor's does.
    bool Start() {
        if (!server.start()) return false;
        auto address = vt::parseIpv4(server.address().c_str());
        const auto livePort = static_cast<uint16_t>(vt::sim::sensorGlobals(parameters).liveImagePort);
        return address && liveImage.start(*address, livePort) == 0;
    }
    void Stop() {
        readings.shutdown();
        server.stop();
        liveImage.stop();
    }
    const std::string& error() const { return server.error(); }

    vt::sim::SensorState identity;
    vt::sim::XmlRpcServer server;
    vt::sim::LiveImageSource liveImage;
    vt::sim::LockMethods lock;
    vt::sim::UpdateMethods update;
    vt::sim::SensorModel model;
    vt::sim::ConfigFileStore configFiles;
    vt::sim::ParameterStore parameters;
    vt::sim::ReadingModel readings{model};
    vt::sim::PcSession session{model};
};

}  // namespace vt::test

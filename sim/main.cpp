// varnis-sim: a stand-in sensor on this machine, for trying the program
// without a real one. Stops on Ctrl+C or SIGTERM.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/ipv4.h"
#include "sim/config_file_methods.h"
#include "sim/connection_methods.h"
#include "sim/discovery_responder.h"
#include "sim/live_image_methods.h"
#include "sim/live_image_source.h"
#include "sim/lock_methods.h"
#include "sim/parameter_methods.h"
#include "sim/pc_session.h"
#include "sim/reading_methods.h"
#include "sim/sensor_command_methods.h"
#include "sim/sensor_globals_record.h"
#include "sim/sensor_model.h"
#include "sim/sensor_state.h"
#include "sim/update_methods.h"
#include "sim/xmlrpc_server.h"

namespace {

void usage() {
    std::fprintf(stderr,
                 "usage: varnis-sim [--address A.B.C.D] [--port N] [--discovery-port N] [--live-port N]\n"
                 "                  [--reading-period-ms N]  (readings in test and monitor states; 0: on trigger only)\n"
                 "                  [--plausible]  (configurations with values in range, as a real sensor keeps them)\n");
}

bool readPort(const std::string& value, long& port) {
    char* end = nullptr;
    port = std::strtol(value.c_str(), &end, 10);
    if (end == value.c_str() || *end != '\0' || port < 0 || port > 65535) {
        std::fprintf(stderr, "varnis-sim: not a port: %s\n", value.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string address = "127.0.0.1";
    long port = 8080;
    long discoveryPort = 113;
    long livePort = 50002;
    long readingPeriodMs = 0;
    bool plausible = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--plausible") {
            plausible = true;
        } else if ((arg == "--address" || arg == "--port" || arg == "--discovery-port" || arg == "--live-port" ||
             arg == "--reading-period-ms") &&
            i + 1 < argc) {
            std::string value = argv[++i];
            if (arg == "--address") {
                address = value;
            } else if (arg == "--reading-period-ms") {
                char* end = nullptr;
                readingPeriodMs = std::strtol(value.c_str(), &end, 10);
                if (end == value.c_str() || *end != '\0' || readingPeriodMs < 0 || readingPeriodMs > 3600000) {
                    std::fprintf(stderr, "varnis-sim: not a period: %s\n", value.c_str());
                    return 2;
                }
            } else if (!readPort(value, arg == "--port"             ? port
                                        : arg == "--discovery-port" ? discoveryPort
                                                                    : livePort)) {
                return 2;
            }
        } else {
            usage();
            return 2;
        }
    }

    // Block the stop signals before any thread starts, then wait for one.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    vt::sim::SensorState sensor;
    // Runs for hours: the call log and the update images stay bounded.
    vt::sim::ServerLimits limits;
    limits.maxLoggedCalls = 1000;
    vt::sim::XmlRpcServer server(address, static_cast<uint16_t>(port), limits);
    vt::sim::LiveImageSource liveImage;
    vt::sim::addConnectionMethods(server, sensor);
    vt::sim::addLiveImageMethods(server, liveImage);
    vt::sim::LockMethods lock;
    lock.install(server);
    vt::sim::UpdateMethods update;
    update.setImagesKept(0);
    update.install(server);
    vt::sim::SensorModel model;
    vt::sim::addSensorCommandMethods(server, model);
    // Configuration files come from and go to the slot table.
    vt::sim::addConfigFileMethods(server, model);
    vt::sim::ParameterStore parameters;
    // The global settings name the port the live image streams on.
    vt::sim::SensorGlobalsRecord globals = vt::sim::sensorGlobals(parameters);
    globals.liveImagePort = static_cast<int>(livePort);
    vt::sim::setSensorGlobals(parameters, globals);
    vt::sim::addParameterMethods(server, model, parameters);
    if (plausible) vt::sim::usePlausibleRecords(model);
    vt::sim::ReadingModel readings(model);
    vt::sim::addReadingMethods(server, model, readings);
    readings.setRate(std::chrono::milliseconds(readingPeriodMs));
    // What a PC holds ends when it disconnects or falls silent.
    vt::sim::PcSession session(model);
    session.install(server, sensor);
    if (!server.start()) {
        std::fprintf(stderr, "varnis-sim: %s\n", server.error().c_str());
        return 1;
    }
    std::printf("varnis-sim: XML-RPC on %s:%u\n", server.address().c_str(), unsigned(server.port()));

    // The discovery query port is privileged: without root the sensor is
    // still reachable, just not found by a scan.
    // A scan finds the sensor under the MAC its settings give.
    vt::sim::DiscoveryIdentity identity;
    identity.mac = vt::sim::sensorGlobals(parameters).macAddress;
    vt::sim::DiscoveryResponder discovery(identity);
    auto discoveryAddress = vt::parseIpv4(address.c_str());
    int discoveryError =
        discoveryAddress ? discovery.start(*discoveryAddress, static_cast<uint16_t>(discoveryPort)) : EINVAL;
    if (discoveryError == 0)
        std::printf("varnis-sim: discovery on %s:%u\n", address.c_str(), unsigned(discovery.port()));
    else
        std::fprintf(stderr, "varnis-sim: no discovery on %s:%ld: %s\n", address.c_str(), discoveryPort,
                     std::strerror(discoveryError));

    int liveError =
        discoveryAddress ? liveImage.start(*discoveryAddress, static_cast<uint16_t>(livePort)) : EINVAL;
    if (liveError == 0)
        std::printf("varnis-sim: live image on %s:%u\n", address.c_str(), unsigned(liveImage.port()));
    else
        std::fprintf(stderr, "varnis-sim: no live image on %s:%ld: %s\n", address.c_str(), livePort,
                     std::strerror(liveError));
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    discovery.stop();
    server.stop();
    liveImage.stop();
    return 0;
}

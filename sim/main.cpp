// varnis-sim: a stand-in sensor on this machine, for trying the program
// without a real one. Stops on Ctrl+C or SIGTERM.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sim/xmlrpc_server.h"

namespace {

void usage() {
    std::fprintf(stderr, "usage: varnis-sim [--address A.B.C.D] [--port N]\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::string address = "127.0.0.1";
    long port = 8080;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "--address" || arg == "--port") && i + 1 < argc) {
            std::string value = argv[++i];
            if (arg == "--address") {
                address = value;
            } else {
                char* end = nullptr;
                port = std::strtol(value.c_str(), &end, 10);
                if (end == value.c_str() || *end != '\0' || port < 0 || port > 65535) {
                    std::fprintf(stderr, "varnis-sim: not a port: %s\n", value.c_str());
                    return 2;
                }
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

    vt::sim::XmlRpcServer server(address, static_cast<uint16_t>(port));
    if (!server.start()) {
        std::fprintf(stderr, "varnis-sim: %s\n", server.error().c_str());
        return 1;
    }
    std::printf("varnis-sim: XML-RPC on %s:%u\n", server.address().c_str(), unsigned(server.port()));
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.stop();
    return 0;
}

// A simulated sensor in a process of its own, so that the CPU time a
// benchmark reads of its own process is the program's (or the floor's) alone,
// without the simulator painting pictures and encoding frames beside it.
// Make it first thing in main: it forks, and a fork must come before any
// thread (Qt's included) exists.
#pragma once
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "simulated_sensor.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace vt::bench {

struct SensorProcessOptions {
    int readingPeriodMs = 0;  // readings on its own in monitor operation; 0: none
    int liveFramesPerSecond = 25;
    int state = 2;            // 2 monitor operation; slot 0 "Conf1" of group 0 is active
};

class SensorProcess {
public:
    explicit SensorProcess(const SensorProcessOptions& options) {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0) return;
        // The child ends when SIGTERM comes: blocked here, waited for there.
        sigset_t stop;
        sigemptyset(&stop);
        sigaddset(&stop, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &stop, nullptr);
        const pid_t parent = ::getpid();
        pid_ = ::fork();
        if (pid_ == 0) {
            // A benchmark that ends without its destructors (exit on a
            // failure) still ends its sensor.
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (::getppid() != parent) ::_exit(0);
            ::close(pipeFds[0]);
            Serve(options, pipeFds[1], stop);
        }
        pthread_sigmask(SIG_UNBLOCK, &stop, nullptr);
        ::close(pipeFds[1]);
        if (pid_ < 0) {
            ::close(pipeFds[0]);
            return;
        }
        char line[128] = {};
        std::size_t used = 0;
        while (used + 1 < sizeof line) {
            const ssize_t n = ::read(pipeFds[0], line + used, 1);
            if (n <= 0 || line[used] == '\n') break;
            ++used;
        }
        ::close(pipeFds[0]);
        char address[64] = {};
        unsigned port = 0, livePort = 0;
        if (std::sscanf(line, "%63s %u %u", address, &port, &livePort) == 3) {
            address_ = address;
            port_ = static_cast<uint16_t>(port);
            livePort_ = static_cast<uint16_t>(livePort);
        }
    }
    ~SensorProcess() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    SensorProcess(const SensorProcess&) = delete;
    SensorProcess& operator=(const SensorProcess&) = delete;

    bool ok() const { return port_ != 0; }
    // The sensor's own CPU time so far, in milliseconds (10 ms steps).
    double CpuMs() const {
        char path[64];
        std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid_));
        std::FILE* file = std::fopen(path, "r");
        if (!file) return 0;
        char line[1024] = {};
        const bool read = std::fgets(line, sizeof line, file) != nullptr;
        std::fclose(file);
        // Fields 14 and 15 (user and system time) follow the name in parentheses.
        const char* rest = read ? std::strrchr(line, ')') : nullptr;
        unsigned long user = 0, system = 0;
        if (!rest || std::sscanf(rest + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &user, &system) != 2)
            return 0;
        return double(user + system) * 1000.0 / double(sysconf(_SC_CLK_TCK));
    }
    const std::string& address() const { return address_; }
    uint16_t port() const { return port_; }
    uint16_t livePort() const { return livePort_; }

private:
    [[noreturn]] static void Serve(const SensorProcessOptions& options, int out, const sigset_t& stop) {
        {
            vt::test::SimulatedSensor sensor;
            if (!sensor.Start()) ::_exit(1);
            const vt::sim::SlotRef slot{0, "Conf1", 0};
            sensor.model.createConfig(slot);
            sensor.model.closeAndSave();
            sensor.model.activateConfig(slot);
            sensor.readings.setCodeType(1);
            sensor.model.setState(options.state);
            sensor.liveImage.setFramesPerSecond(options.liveFramesPerSecond);
            // Frames go only to whoever greets the source; a floor has no
            // program to ask for the stream.
            sensor.liveImage.setStreaming(true);
            if (options.readingPeriodMs > 0)
                sensor.readings.setRate(std::chrono::milliseconds(options.readingPeriodMs));
            const std::string line = sensor.server.address() + " " + std::to_string(sensor.server.port()) + " " +
                                     std::to_string(sensor.liveImage.port()) + "\n";
            if (::write(out, line.data(), line.size()) != static_cast<ssize_t>(line.size())) ::_exit(1);
            ::close(out);
            int caught = 0;
            sigwait(&stop, &caught);
        }
        ::_exit(0);
    }

    pid_t pid_ = -1;
    std::string address_;
    uint16_t port_ = 0;
    uint16_t livePort_ = 0;
};

// The program's sensor and the floor's, one process each.
struct SensorPair {
    explicit SensorPair(const SensorProcessOptions& options) : program(options), floor(options) {}
    bool ok() const { return program.ok() && floor.ok(); }
    SensorProcess program;
    SensorProcess floor;
};

// CPU time of this whole process (every thread), in milliseconds.
inline double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

}  // namespace vt::bench

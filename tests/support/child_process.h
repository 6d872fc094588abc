// A helper program that a test starts, reads the first line of, and stops
// (SIGTERM, then waits) when it goes out of scope.
#pragma once

#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

namespace vt::test {

class ChildProcess {
public:
    // argv[0] is looked up on PATH. The child's standard output is a pipe
    // from which firstLine() reads.
    explicit ChildProcess(std::vector<std::string> argv) {
        int out[2];
        if (::pipe(out) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<char*> args;
            for (auto& a : argv) args.push_back(a.data());
            args.push_back(nullptr);
            ::execvp(args[0], args.data());
            ::_exit(127);
        }
        ::close(out[1]);
        out_ = ::fdopen(out[0], "r");
    }
    ~ChildProcess() {
        stop();
        if (out_ != nullptr) std::fclose(out_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line the child writes, without its line end; "" at its end.
    std::string readLine() {
        std::string line;
        if (out_ == nullptr) return line;
        for (int c = std::fgetc(out_); c != EOF && c != '\n'; c = std::fgetc(out_))
            line += static_cast<char>(c);
        return line;
    }

    // Sends SIGTERM and returns the exit status (-1 when it did not exit normally).
    int stop() {
        if (pid_ > 0) ::kill(pid_, SIGTERM);
        return wait();
    }

    // Waits for the child to end by itself; its exit status as stop() gives it.
    int wait() {
        if (pid_ <= 0) return -1;
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    std::FILE* out_ = nullptr;
};

}  // namespace vt::test

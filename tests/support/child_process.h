#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

// A program started as a user starts it, in its own process, its stdout and
// stderr collected together through a pipe. A process still running when
// this object goes away is killed.
class ChildProcess {
public:
    // The environment is this process's, with DISPLAY replaced when a
    // display is given (an empty value removes it).
    explicit ChildProcess(const std::string& path, const std::vector<std::string>& args = {},
                          std::optional<std::string> display = {}) {
        int fds[2];
        if (pipe(fds) != 0) {
            throw std::runtime_error("pipe failed");
        }
        pid = fork();
        if (pid == 0) {
            dup2(fds[1], 1);
            dup2(fds[1], 2);
            close(fds[0]);
            close(fds[1]);
            if (display) {
                display->empty() ? unsetenv("DISPLAY") : setenv("DISPLAY", display->c_str(), 1);
            }
            std::vector<char*> argv{const_cast<char*>(path.c_str())};
            for (const std::string& a : args) {
                argv.push_back(const_cast<char*>(a.c_str()));
            }
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(fds[1]);
        output = fds[0];
        fcntl(output, F_SETFL, O_NONBLOCK);
    }
    ~ChildProcess() {
        if (!status) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        close(output);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The exit status (128 + the signal for a killed process), or nothing if
    // the process is still running after the given time.
    std::optional<int> Wait(int timeoutMs) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        do {
            Drain();
            int raw = 0;
            if (waitpid(pid, &raw, WNOHANG) == pid) {
                status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        } while (!status && std::chrono::steady_clock::now() < deadline);
        Drain();
        return status;
    }

    const std::string& Output() {
        Drain();
        return text;
    }

    pid_t Pid() const { return pid; }

private:
    void Drain() {
        char buffer[4096];
        ssize_t n = 0;
        while ((n = read(output, buffer, sizeof buffer)) > 0) {
            text.append(buffer, static_cast<std::size_t>(n));
        }
    }

    pid_t pid = -1;
    int output = -1;
    std::string text;
    std::optional<int> status;
};

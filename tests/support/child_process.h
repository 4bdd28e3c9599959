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
// stderr collected through pipes: together, or apart where a test checks
// which stream a message goes to. A process still running when this object
// goes away is killed.
class ChildProcess {
public:
    enum class Streams { Together, Apart };

    // The environment is this process's, with DISPLAY replaced when a
    // display is given (an empty value removes it).
    explicit ChildProcess(const std::string& path, const std::vector<std::string>& args = {},
                          std::optional<std::string> display = {},
                          Streams streams = Streams::Together) {
        int fds[2];
        int errorFds[2] = {-1, -1};
        if (pipe(fds) != 0 || (streams == Streams::Apart && pipe(errorFds) != 0)) {
            throw std::runtime_error("pipe failed");
        }
        pid = fork();
        if (pid == 0) {
            dup2(fds[1], 1);
            dup2(streams == Streams::Apart ? errorFds[1] : fds[1], 2);
            for (const int fd : {fds[0], fds[1], errorFds[0], errorFds[1]}) {
                if (fd >= 0) {
                    close(fd);
                }
            }
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
        if (streams == Streams::Apart) {
            close(errorFds[1]);
            errors = errorFds[0];
            fcntl(errors, F_SETFL, O_NONBLOCK);
        }
    }
    ~ChildProcess() {
        if (!status) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        close(output);
        if (errors >= 0) {
            close(errors);
        }
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

    // Standard output, and standard error too unless kept apart.
    const std::string& Output() {
        Drain();
        return text;
    }

    // Standard error when kept apart, otherwise empty.
    const std::string& Errors() {
        Drain();
        return errorText;
    }

    pid_t Pid() const { return pid; }

private:
    void Drain() {
        DrainInto(output, text);
        if (errors >= 0) {
            DrainInto(errors, errorText);
        }
    }

    static void DrainInto(int fd, std::string& into) {
        char buffer[4096];
        ssize_t n = 0;
        while ((n = read(fd, buffer, sizeof buffer)) > 0) {
            into.append(buffer, static_cast<std::size_t>(n));
        }
    }

    pid_t pid = -1;
    int output = -1;
    int errors = -1;
    std::string text;
    std::string errorText;
    std::optional<int> status;
};

#pragma once

#include <chrono>
#include <functional>
#include <thread>

// Real time for another process or the X server to act in.
inline void Pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Asks until the condition holds, every 20 ms for up to the given time, for
// what another process does in its own time; whether it came to hold.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        Pause(20);
    }
    return true;
}

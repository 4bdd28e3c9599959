#pragma once

#include <chrono>
#include <thread>

// Real time for another process or the X server to act in.
inline void Pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

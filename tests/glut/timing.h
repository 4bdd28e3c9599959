#pragma once

#include <pthread.h>
#include <sys/resource.h>
#include <time.h>

#include <chrono>

// CPU seconds used by the calling thread alone, so that Mesa's rendering
// threads do not count.
inline double ThreadCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// CPU seconds used by the thread whose CPU clock pthread_getcpuclockid gave,
// so that one thread can time another.
inline double ThreadCpuSeconds(clockid_t threadClock) {
    timespec t{};
    clock_gettime(threadClock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Real seconds on a monotonic clock, untouched by the driven test clock.
inline double RealSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

#pragma once

#include <cstdint>

// The process clock: whole milliseconds of real time since the process
// started. Tests replace the source to drive time without sleeping.
using MillisecondSource = std::int64_t (*)();

std::int64_t ElapsedMilliseconds();

// Pass nullptr to go back to the real clock.
void SetMillisecondSource(MillisecondSource source);

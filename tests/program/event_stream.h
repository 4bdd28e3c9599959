#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

#include "applet_mode_master.h"
#include "driven_clock.h"
#include "main_mode.h"
#include "test_host.h"

// Where the next event comes from: the unit test draws the choices from a
// seeded generator, the fuzzer reads them from its input bytes.
class ChoiceSource {
public:
    // A value in 0 .. bound - 1; bound is at least 1.
    virtual std::uint32_t Below(std::uint32_t bound) = 0;
    virtual bool Exhausted() const = 0;

protected:
    ~ChoiceSource() = default;
};

class SeededChoices final : public ChoiceSource {
public:
    explicit SeededChoices(std::uint64_t seed) : generator(seed) {}
    std::uint32_t Below(std::uint32_t bound) override;
    bool Exhausted() const override { return false; }

private:
    std::mt19937_64 generator;
};

// Reads choices from a byte string, as few bytes as the bound needs; once it
// runs out every choice is 0.
class ByteChoices final : public ChoiceSource {
public:
    ByteChoices(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}
    std::uint32_t Below(std::uint32_t bound) override;
    bool Exhausted() const override { return position >= size; }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;
};

// What a stream of events has exercised, summed over sessions.
struct EventCounts {
    long steps = 0;
    long ticks = 0;
    long pointerMoves = 0;
    long farPointerMoves = 0;
    long nonFinitePointerMoves = 0;
    long presses = 0;
    long pressesOnSurfaces = 0;
    long copies = 0;
    long releases = 0;
    long modifierChanges = 0;
    long keys = 0;
    long keysAbove255 = 0;
    long wheelSteps = 0;
    long windowSizeChanges = 0;
    long clockJumps = 0;
    int mostSurfaces = 0;
    long sessions = 0;

    EventCounts& operator+=(const EventCounts& other);
    std::string Summary() const;
};

// The program's logic as it runs inside the GLUT host, on a host without a
// window: the application base, the mode stack with the main mode at the
// bottom (whose push builds the scene), drag modes and the world. Events
// reach it the way the host raises them; the clock is driven.
//
// Only one session may exist at a time: the clock and the current mode
// master are process-wide.
class EventStreamSession {
public:
    explicit EventStreamSession(std::int64_t clockStartMilliseconds);
    // Ends the session the way the program ends a run.
    ~EventStreamSession();
    EventStreamSession(const EventStreamSession&) = delete;
    EventStreamSession& operator=(const EventStreamSession&) = delete;

    // Applies one event drawn from the source. Returns what it was, and
    // anything the event itself did wrong (see Fault).
    std::string Step(ChoiceSource& source);
    // Empty when every invariant holds, otherwise the first one that broke.
    std::string CheckInvariants();
    // Empty unless the last step broke a rule about what an event may change.
    const std::string& Fault() const { return fault; }

    const EventCounts& Counts() const { return counts; }

private:
    std::string Tick(ChoiceSource& source);
    std::string MovePointer(ChoiceSource& source);
    std::string Press();
    std::string Release();
    std::string ChangeModifiers(ChoiceSource& source);
    std::string Key(ChoiceSource& source);
    std::string Wheel(ChoiceSource& source);
    std::string ChangeWindowSize(ChoiceSource& source);
    std::string JumpClock(ChoiceSource& source);
    int SurfaceCount();

    DrivenClock clock;
    TestHost host;
    tv1MainMode main;
    AppletModeMaster stack;
    EventCounts counts;
    std::string fault;
};

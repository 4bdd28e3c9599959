// Long random streams of the events the GLUT host raises, through the
// program's real logic, with every invariant checked after every event.
//
// CI runs a fixed seed. To run longer, or another stream:
//   QUILLMERE_FUZZ_SEED=12345 QUILLMERE_FUZZ_STEPS=20000000
//   <build>/tests/program/event_stream_fuzz_tests
// A failure names the seed, the session, the event and the events before it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <iostream>
#include <string>

#include "event_stream.h"

namespace {

constexpr std::uint64_t kDefaultSeed = 20261207;
constexpr long kDefaultSteps = 40'000;
// Sessions are kept short enough that copies do not pile up without bound.
constexpr long kStepsPerSession = 400;
constexpr std::size_t kHistory = 16;

long long FromEnvironment(const char* name, long long fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtoll(text, nullptr, 0) : fallback;
}

// Sessions start as a fresh process would, or after long uptime.
std::int64_t SessionStart(ChoiceSource& choices) {
    constexpr std::int64_t kDay = 24LL * 3600 * 1000;
    const std::int64_t starts[] = {0, 1'234, 30 * kDay, 400 * kDay};
    return starts[choices.Below(4)] + choices.Below(100'000);
}

std::string Recent(const std::deque<std::string>& history) {
    std::string text;
    for (const std::string& event : history) {
        text += "\n    " + event;
    }
    return text;
}

TEST(EventStreamFuzz, EveryInvariantHoldsAfterEveryEvent) {
    const auto seed =
        static_cast<std::uint64_t>(FromEnvironment("QUILLMERE_FUZZ_SEED", kDefaultSeed));
    const long steps = static_cast<long>(FromEnvironment("QUILLMERE_FUZZ_STEPS", kDefaultSteps));
    SeededChoices choices(seed);
    EventCounts total;
    for (long session = 0; total.steps < steps; ++session) {
        EventStreamSession stream(SessionStart(choices));
        std::deque<std::string> history;
        const std::string atStart = stream.CheckInvariants();
        ASSERT_EQ(atStart, "") << "seed " << seed << ", session " << session << " at its start";
        for (long i = 0; i < kStepsPerSession && total.steps + i < steps; ++i) {
            history.push_back(stream.Step(choices));
            if (history.size() > kHistory) {
                history.pop_front();
            }
            std::string wrong = stream.Fault();
            if (wrong.empty()) {
                wrong = stream.CheckInvariants();
            }
            ASSERT_EQ(wrong, "") << "seed " << seed << ", session " << session << ", event " << i
                                 << "; the last events:" << Recent(history);
        }
        total += stream.Counts();
    }
    std::cout << "seed " << seed << ": " << total.Summary() << '\n';

    // A generator that never reached these would prove nothing about them.
    EXPECT_GT(total.copies, 0) << total.Summary();
    EXPECT_GT(total.pressesOnSurfaces - total.copies, 0) << total.Summary();
    EXPECT_GT(total.farPointerMoves, 0) << total.Summary();
    EXPECT_GT(total.nonFinitePointerMoves, 0) << total.Summary();
    EXPECT_GT(total.keysAbove255, 0) << total.Summary();
    EXPECT_GT(total.clockJumps, 0) << total.Summary();
}

}  // namespace

// libFuzzer entry point: the input bytes choose the events of one session,
// and a broken invariant aborts with what broke and after which event.
#include <cstdio>
#include <cstdlib>

#include "event_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteChoices choices(data, size);
    constexpr std::int64_t kThirtyDays = 30LL * 24 * 3600 * 1000;
    EventStreamSession stream(choices.Below(2) ? kThirtyDays : 0);
    for (long event = 0; !choices.Exhausted(); ++event) {
        const std::string what = stream.Step(choices);
        std::string wrong = stream.Fault();
        if (wrong.empty()) {
            wrong = stream.CheckInvariants();
        }
        if (!wrong.empty()) {
            std::fprintf(stderr, "event %ld (%s): %s\n", event, what.c_str(), wrong.c_str());
            std::abort();
        }
    }
    return 0;
}

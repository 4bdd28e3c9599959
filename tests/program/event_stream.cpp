#include "event_stream.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <limits>
#include <sstream>

#include "surface2d.h"

namespace {

constexpr std::int64_t kDayMilliseconds = 24LL * 3600 * 1000;
constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

template <typename T, std::size_t N>
T Pick(ChoiceSource& source, const T (&values)[N]) {
    return values[source.Below(N)];
}

std::string Describe(float x, float y) {
    std::ostringstream out;
    out.precision(9);
    out << '(' << x << ", " << y << ')';
    return out.str();
}

float Signed(ChoiceSource& source, float magnitude) {
    return source.Below(2) ? magnitude : -magnitude;
}

// A window pixel, as the host reports pointer positions at the start-up view.
float PixelCoordinate(ChoiceSource& source, std::uint32_t extent) {
    return static_cast<float>(source.Below(extent));
}

// False for NaN too.
bool InUnitRange(float value) {
    return value >= 0.0f && value <= 1.0f;
}

bool CellInRange(const tvCell& cell) {
    bool ok = true;
    for (const tvCellLayer& layer : cell.layers) {
        ok &= InUnitRange(layer.red) & InUnitRange(layer.green) & InUnitRange(layer.blue) &
              InUnitRange(layer.amount);
    }
    return ok;
}

std::string DescribeCell(const tvCell& cell) {
    for (int k = 0; k < tvCell::kLayerCount; ++k) {
        const tvCellLayer& layer = cell.layers[k];
        const struct {
            const char* name;
            float value;
        } fields[] = {{"red", layer.red},
                      {"green", layer.green},
                      {"blue", layer.blue},
                      {"amount", layer.amount}};
        for (const auto& field : fields) {
            if (!InUnitRange(field.value)) {
                std::ostringstream out;
                out << "layer " << k << ' ' << field.name << " is " << field.value;
                return out.str();
            }
        }
    }
    return {};
}

// Empty when every layer of every cell of both buffers holds values in 0..1.
std::string CheckGrid(const tvSurface2d& grid) {
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Columns(); ++c) {
            const tvCell& current = *grid.CurrentCell(c, r);
            const tvCell& next = *grid.NextCell(c, r);
            if (CellInRange(current) && CellInRange(next)) {
                continue;
            }
            std::ostringstream out;
            out << "cell (" << c << ", " << r << ") ";
            out << (CellInRange(current) ? "next " + DescribeCell(next)
                                         : "current " + DescribeCell(current));
            return out.str();
        }
    }
    return {};
}

}  // namespace

std::uint32_t SeededChoices::Below(std::uint32_t bound) {
    return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(generator);
}

std::uint32_t ByteChoices::Below(std::uint32_t bound) {
    const std::size_t bytes = bound <= 0x100u ? 1 : bound <= 0x10000u ? 2 : 4;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
        value <<= 8;
        if (position < size) {
            value |= data[position++];
        }
    }
    return value % bound;
}

EventCounts& EventCounts::operator+=(const EventCounts& other) {
    steps += other.steps;
    ticks += other.ticks;
    pointerMoves += other.pointerMoves;
    farPointerMoves += other.farPointerMoves;
    nonFinitePointerMoves += other.nonFinitePointerMoves;
    presses += other.presses;
    pressesOnSurfaces += other.pressesOnSurfaces;
    copies += other.copies;
    releases += other.releases;
    modifierChanges += other.modifierChanges;
    keys += other.keys;
    keysAbove255 += other.keysAbove255;
    wheelSteps += other.wheelSteps;
    windowSizeChanges += other.windowSizeChanges;
    clockJumps += other.clockJumps;
    mostSurfaces = std::max(mostSurfaces, other.mostSurfaces);
    sessions += other.sessions;
    return *this;
}

std::string EventCounts::Summary() const {
    std::ostringstream out;
    out << steps << " events in " << sessions << " sessions: " << ticks << " update ticks, "
        << pointerMoves << " pointer moves (" << farPointerMoves << " far outside the window, "
        << nonFinitePointerMoves << " not finite), " << presses << " presses (" << pressesOnSurfaces
        << " on a surface, " << copies << " copies made), " << releases << " releases, "
        << modifierChanges << " modifier changes, " << keys << " keys (" << keysAbove255
        << " above 255), " << wheelSteps << " wheel steps, " << windowSizeChanges
        << " window size changes, " << clockJumps << " clock jumps; at most " << mostSurfaces
        << " surfaces in one session";
    return out.str();
}

EventStreamSession::EventStreamSession(std::int64_t clockStartMilliseconds)
    : clock(clockStartMilliseconds), host(), main(), stack(&host, &main) {
    host.Run(static_cast<Applet*>(&stack));
    counts.sessions = 1;
    counts.mostSurfaces = SurfaceCount();
}

// A window closed with the button still held leaves its drag on the stack;
// the program's end releases the button, which pops and frees the drag.
EventStreamSession::~EventStreamSession() {
    if (host.IsMouseDown()) {
        const Vec2 p = host.GetMousePos();
        host.OnMouseUp(p.x, p.y);
    }
}

int EventStreamSession::SurfaceCount() {
    int n = 0;
    for (const tvSurface* s = main.World().FirstSurface(); s; s = s->NextSurface()) {
        ++n;
    }
    return n;
}

std::string EventStreamSession::Step(ChoiceSource& source) {
    fault.clear();
    const int surfacesBefore = SurfaceCount();
    const std::uint32_t kind = source.Below(100);
    std::string what;
    bool press = false;
    if (kind < 24) {
        what = Tick(source);
    } else if (kind < 48) {
        what = MovePointer(source);
    } else if (kind < 60) {
        what = Press();
        press = true;
    } else if (kind < 70) {
        what = Release();
    } else if (kind < 80) {
        what = ChangeModifiers(source);
    } else if (kind < 86) {
        what = Key(source);
    } else if (kind < 91) {
        what = Wheel(source);
    } else if (kind < 96) {
        what = ChangeWindowSize(source);
    } else {
        what = JumpClock(source);
    }
    ++counts.steps;
    const int surfacesAfter = SurfaceCount();
    counts.mostSurfaces = std::max(counts.mostSurfaces, surfacesAfter);
    if (!press && surfacesAfter != surfacesBefore && fault.empty()) {
        fault = "the surface count went from " + std::to_string(surfacesBefore) + " to " +
                std::to_string(surfacesAfter) + " without a press";
    }
    return what;
}

// The host's paced callback: time passes, and an update is raised when the
// schedule says one is due.
std::string EventStreamSession::Tick(ChoiceSource& source) {
    const std::int64_t ms = Pick(source, {0, 1, 16, 33, 34, 34, 34, 40, 67, 100});
    clock.AdvanceMilliseconds(ms);
    if (!host.AdvanceSchedule()) {
        return "idle pass after " + std::to_string(ms) + " ms";
    }
    host.OnUpdate();
    ++counts.ticks;
    return "update tick after " + std::to_string(ms) + " ms";
}

std::string EventStreamSession::MovePointer(ChoiceSource& source) {
    const std::uint32_t where = source.Below(20);
    Vec2 p = host.mousePos;
    if (where < 12) {
        p = Vec2{PixelCoordinate(source, 1024), PixelCoordinate(source, 800)};
    } else if (where < 15) {
        p.x += static_cast<float>(static_cast<int>(source.Below(81)) - 40);
        p.y += static_cast<float>(static_cast<int>(source.Below(81)) - 40);
    } else if (where < 18) {
        const float magnitude = Pick(source, {2e3f, 1e5f, 3e7f, 2147483648.0f, 1e30f, FLT_MAX});
        p = Vec2{Signed(source, magnitude * 0.75f), Signed(source, magnitude)};
        ++counts.farPointerMoves;
    } else {
        p = Vec2{Pick(source, {kNaN, kInfinity, -kInfinity, 10.0f}),
                 Pick(source, {kNaN, kInfinity, -kInfinity, 10.0f})};
        ++counts.nonFinitePointerMoves;
    }
    host.mousePos = p;
    ++counts.pointerMoves;
    return "pointer to " + Describe(p.x, p.y);
}

// As the host raises a left press: at the pointer's world position, with the
// modifiers held at that moment.
std::string EventStreamSession::Press() {
    const Vec2 p = host.mousePos;
    const bool alt = host.IsAltDown();
    auto* hit = static_cast<tvSurface2d*>(main.World().SurfaceAt(p.x, p.y));
    const tvBounds hitBounds = hit ? hit->GetBounds() : tvBounds{};
    const int before = SurfaceCount();
    host.OnMouseDown(p.x, p.y);
    ++counts.presses;
    counts.pressesOnSurfaces += hit ? 1 : 0;

    const int added = SurfaceCount() - before;
    const int expectedModes = hit ? 2 : 1;
    if (added != (alt && hit ? 1 : 0)) {
        fault = "the press added " + std::to_string(added) + " surfaces";
    } else if (stack.ModeCount() != expectedModes) {
        fault = "the press left " + std::to_string(stack.ModeCount()) + " modes on the stack";
    } else if (added == 1) {
        ++counts.copies;
        const tvBounds b = static_cast<tvSurface2d*>(main.World().FirstSurface())->GetBounds();
        if (b.left != hitBounds.left || b.right != hitBounds.right || b.top != hitBounds.top ||
            b.bottom != hitBounds.bottom) {
            fault = "the copy does not lie where the picked surface lies";
        }
    }
    return std::string("press at ") + Describe(p.x, p.y) + (alt ? " with Alt" : "") +
           (hit ? " on a surface" : " on nothing");
}

std::string EventStreamSession::Release() {
    const Vec2 p = host.mousePos;
    host.OnMouseUp(p.x, p.y);
    ++counts.releases;
    if (stack.ModeCount() != 1) {
        fault = "the release left " + std::to_string(stack.ModeCount()) + " modes on the stack";
    }
    return "release at " + Describe(p.x, p.y);
}

std::string EventStreamSession::ChangeModifiers(ChoiceSource& source) {
    const std::uint32_t bits = source.Below(8);
    host.shiftDown = (bits & 1) != 0;
    host.ctrlDown = (bits & 2) != 0;
    host.altDown = (bits & 4) != 0;
    ++counts.modifierChanges;
    return std::string("modifiers now") + (host.shiftDown ? " Shift" : "") +
           (host.ctrlDown ? " Ctrl" : "") + (host.altDown ? " Alt" : "");
}

// Every code the host can raise (bytes, Ctrl codes up to 351, arrows at
// 1000..1003, function keys) and codes no host raises.
std::string EventStreamSession::Key(ChoiceSource& source) {
    const std::uint32_t range = source.Below(6);
    int key = 0;
    if (range < 2) {
        key = static_cast<int>(source.Below(256));
    } else if (range == 2) {
        key = 256 + static_cast<int>(source.Below(96));
    } else if (range == 3) {
        key = Pick(source, {1000, 1001, 1002, 1003, 1, 12, 104, 108});
    } else {
        key = Pick(source, {-1, INT_MIN, INT_MAX, 65536, 112, 117});
    }
    counts.keysAbove255 += key > 255 ? 1 : 0;
    host.OnKey(key);
    ++counts.keys;
    for (tvSurface* s = main.World().FirstSurface(); s; s = s->NextSurface()) {
        const auto& grid = *static_cast<const tvSurface2d*>(s);
        for (int r = 0; r < grid.Rows() && fault.empty(); ++r) {
            for (int c = 0; c < grid.Columns() && fault.empty(); ++c) {
                for (const tvCellLayer& layer : grid.CurrentCell(c, r)->layers) {
                    if (!layer.source && layer.amount != 0.0f) {
                        fault = "colour left in cell (" + std::to_string(c) + ", " +
                                std::to_string(r) + ") after the key";
                    }
                }
            }
        }
    }
    return "key " + std::to_string(key);
}

std::string EventStreamSession::Wheel(ChoiceSource& source) {
    const float steps = Pick(source, {1.0f, -1.0f, 1.0f, -1.0f, 0.0f, 1e30f, kNaN});
    host.OnWheel(steps);
    ++counts.wheelSteps;
    std::ostringstream out;
    out << "wheel " << steps;
    return out.str();
}

// The test host has no view transform: pointer positions come as they are.
// What changes here is what the services report, which no mode may rely on.
std::string EventStreamSession::ChangeWindowSize(ChoiceSource& source) {
    const float w = Pick(source, {1024.0f, 640.0f, 1.0f, 0.0f, -5.0f, 1e9f, 1023.0f});
    const float h = Pick(source, {800.0f, 480.0f, 1.0f, 0.0f, -5.0f, 1e9f, 799.0f});
    host.viewRect = ViewRect{0.0f, w, 0.0f, h};
    host.zoom = Pick(source, {1.0f, 2.0f, 0.5f, 1e-30f, 1e30f});
    ++counts.windowSizeChanges;
    return "window size " + Describe(w, h);
}

// A process that has run for a long time, or a machine that slept: the next
// callback must raise an update at once and the schedule start again from now.
std::string EventStreamSession::JumpClock(ChoiceSource& source) {
    const std::int64_t ms =
        Pick(source, {std::int64_t{1'000}, std::int64_t{60'000}, std::int64_t{3'600'000},
                      kDayMilliseconds, 30 * kDayMilliseconds, 400 * kDayMilliseconds});
    clock.AdvanceMilliseconds(ms);
    ++counts.clockJumps;
    if (!host.AdvanceSchedule()) {
        fault = "no update was due after the clock jumped";
    } else if (host.LastUpdateTime() != Application::GetTime()) {
        fault = "the schedule did not restart from now after the clock jumped";
    } else {
        host.OnUpdate();
        ++counts.ticks;
    }
    return "clock jump of " + std::to_string(ms) + " ms";
}

std::string EventStreamSession::CheckInvariants() {
    const int modes = stack.ModeCount();
    if (modes < 1 || modes > 2) {
        return std::to_string(modes) + " modes on the stack";
    }
    if (stack.ModeAt(0) != &main) {
        return "the main mode is not at the bottom of the stack";
    }
    if (modes == 2 && stack.ModeAt(1) == &main) {
        return "the main mode is on the stack twice";
    }
    tvWorld& world = main.World();
    int index = 0;
    for (const tvSurface* s = world.FirstSurface(); s; s = s->NextSurface(), ++index) {
        std::string wrong;
        if (index > counts.mostSurfaces) {
            wrong = "the list is longer than every count so far; it has a cycle";
        } else if (*s->PrevLink() != s) {
            wrong = "its prevLink does not point at it";
        } else if (s->World() != &world) {
            wrong = "it belongs to another world";
        } else {
            wrong = CheckGrid(*static_cast<const tvSurface2d*>(s));
        }
        if (!wrong.empty()) {
            return "surface " + std::to_string(index) + " of the list: " + wrong;
        }
    }
    return {};
}

#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "applet_mode_master.h"
#include "driven_clock.h"
#include "event_log.h"
#include "main_mode.h"
#include "surface2d.h"
#include "test_host.h"

// The program's mode stack on a host without a window: the main mode at the
// bottom with its scene built, the pointer driven by hand, one update tick
// per Tick call.
class ModesTest : public ::testing::Test {
protected:
    ModesTest() : host(&log), stack(&host, &main) {
        host.Run(static_cast<Applet*>(&stack));
        pushLog = log.Entries();
        // The pointer rests somewhere empty for a tick, as it does before any
        // real press, so the first drag tick sees only its own movement.
        Tick(Vec2{900.0f, 700.0f});
        log.Clear();
    }

    // Surfaces in list order.
    std::vector<tvSurface2d*> Surfaces() {
        std::vector<tvSurface2d*> all;
        for (tvSurface* s = main.World().FirstSurface(); s; s = s->NextSurface()) {
            all.push_back(static_cast<tvSurface2d*>(s));
        }
        return all;
    }
    tvSurface2d* CanvasA() { return Surfaces().back(); }
    tvSurface2d* CanvasB() { return Surfaces().end()[-2]; }
    // Swatch n as the scene built it; valid until a clone is added.
    tvSurface2d* Swatch(int n) { return Surfaces()[6 - n]; }

    int ModeCount() const { return stack.ModeCount(); }

    void Tick(Vec2 pointer) {
        host.mousePos = pointer;
        host.OnUpdate();
    }
    void Press(Vec2 at, bool alt = false) {
        host.altDown = alt;
        host.mousePos = at;
        host.OnMouseDown(at.x, at.y);
    }
    void Release(Vec2 at) {
        host.mousePos = at;
        host.OnMouseUp(at.x, at.y);
    }
    // Press, one tick at the destination, release: what a quick user drag is.
    void Drag(Vec2 from, Vec2 to) {
        Tick(from);
        Press(from);
        Tick(to);
        Release(to);
    }

    // The scene's random draws follow from a fixed seed, set after the host
    // has seeded the generator itself.
    struct Seeded {
        explicit Seeded(unsigned seed) { std::srand(seed); }
    };

    DrivenClock clock;
    EventLog log;
    TestHost host;
    Seeded seeded{7};
    tv1MainMode main;
    AppletModeMaster stack;
    // What the host heard while the main mode was pushed.
    std::vector<std::string> pushLog;
};

inline bool operator==(const tvBounds& a, const tvBounds& b) {
    return a.left == b.left && a.right == b.right && a.top == b.top && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const tvBounds& b) {
    return out << "(left " << b.left << ", right " << b.right << ", top " << b.top << ", bottom "
               << b.bottom << ")";
}

// The largest amount of any layer of any cell of the current buffer.
inline float MostColour(const tvSurface2d& grid) {
    float most = 0.0f;
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Columns(); ++c) {
            for (const tvCellLayer& layer : grid.CurrentCell(c, r)->layers) {
                most = std::max(most, layer.amount);
            }
        }
    }
    return most;
}

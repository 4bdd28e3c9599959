// StepAll finds the grids under each cell corner through targets gathered
// for the tick; StepAllReference asks every surface at every corner. The two
// must leave the same bits in every field of every cell, whatever the world.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <sstream>
#include <string>

#include "random_worlds.h"

namespace {

std::uint32_t Bits(float f) {
    return std::bit_cast<std::uint32_t>(f);
}

// Names the first field that differs: surface position in the list, buffer,
// cell, layer and field, with both values.
class CellComparison {
public:
    explicit CellComparison(std::string where) : where(std::move(where)) {}

    void Compare(const tvSurface2d& fast, const tvSurface2d& reference, int position) {
        Field(position, "origin x", Bits(fast.OriginX()), Bits(reference.OriginX()));
        Field(position, "origin y", Bits(fast.OriginY()), Bits(reference.OriginY()));
        Field(position, "columns", fast.Columns(), reference.Columns());
        Field(position, "rows", fast.Rows(), reference.Rows());
        for (int c = 0; c < fast.Columns() && ok(); ++c) {
            for (int r = 0; r < fast.Rows() && ok(); ++r) {
                Cell(position, "current", c, r, *fast.CurrentCell(c, r),
                     *reference.CurrentCell(c, r));
                Cell(position, "next", c, r, *fast.NextCell(c, r), *reference.NextCell(c, r));
            }
        }
    }

    void Field(int position, const char* field, std::int64_t fast, std::int64_t reference) {
        if (ok() && fast != reference) {
            std::ostringstream out;
            out << where << ", surface " << position << ": " << field << " is " << fast
                << " stepping through targets but " << reference << " asking every surface";
            failure = out.str();
        }
    }

    bool ok() const { return failure.empty(); }
    const std::string& Failure() const { return failure; }

private:
    void Cell(int position, const char* buffer, int c, int r, const tvCell& fast,
              const tvCell& reference) {
        if (SameBits(fast, reference)) {
            return;
        }
        std::ostringstream at;
        at << buffer << " cell (" << c << ", " << r << ") ";
        Field(position, (at.str() + "locked").c_str(), fast.locked, reference.locked);
        for (int k = 0; k < tvCell::kLayerCount && ok(); ++k) {
            const tvCellLayer& f = fast.layers[k];
            const tvCellLayer& g = reference.layers[k];
            const std::string layer = at.str() + "layer " + std::to_string(k) + " ";
            Field(position, (layer + "source").c_str(), f.source, g.source);
            Field(position, (layer + "amount bits").c_str(), Bits(f.amount), Bits(g.amount));
            Field(position, (layer + "red bits").c_str(), Bits(f.red), Bits(g.red));
            Field(position, (layer + "green bits").c_str(), Bits(f.green), Bits(g.green));
            Field(position, (layer + "blue bits").c_str(), Bits(f.blue), Bits(g.blue));
        }
    }

    static bool SameBits(const tvCell& f, const tvCell& g) {
        if (f.locked != g.locked) {
            return false;
        }
        for (int k = 0; k < tvCell::kLayerCount; ++k) {
            const tvCellLayer& a = f.layers[k];
            const tvCellLayer& b = g.layers[k];
            if (a.source != b.source || Bits(a.amount) != Bits(b.amount) ||
                Bits(a.red) != Bits(b.red) || Bits(a.green) != Bits(b.green) ||
                Bits(a.blue) != Bits(b.blue)) {
                return false;
            }
        }
        return true;
    }

    std::string where;
    std::string failure;
};

::testing::AssertionResult SameWorlds(const tvWorld& fast, const tvWorld& reference,
                                      const std::string& where) {
    CellComparison comparison(where);
    const tvSurface* f = fast.FirstSurface();
    const tvSurface* g = reference.FirstSurface();
    int position = 0;
    for (; f && g && comparison.ok(); f = f->NextSurface(), g = g->NextSurface(), ++position) {
        comparison.Compare(static_cast<const tvSurface2d&>(*f), static_cast<const tvSurface2d&>(*g),
                           position);
    }
    if (comparison.ok() && (f || g)) {
        comparison.Field(position, "presence", f != nullptr, g != nullptr);
    }
    if (comparison.ok()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << comparison.Failure();
}

// Builds the same world twice from each seed, steps one with StepAll and the
// other with StepAllReference, applies the same events to both between ticks
// and compares them after every tick.
void ExpectSameRuns(RandomRun::Kind kind, std::uint32_t firstSeed, int seeds, int ticks) {
    for (std::uint32_t seed = firstSeed; seed < firstSeed + static_cast<std::uint32_t>(seeds);
         ++seed) {
        RandomRun fastRun(seed, kind);
        RandomRun referenceRun(seed, kind);
        tvWorld fast;
        tvWorld reference;
        fastRun.Build(fast);
        referenceRun.Build(reference);
        ASSERT_TRUE(SameWorlds(fast, reference, "seed " + std::to_string(seed) + " as built"));
        for (int tick = 1; tick <= ticks; ++tick) {
            fast.StepAll();
            reference.StepAllReference();
            ASSERT_TRUE(SameWorlds(
                fast, reference, "seed " + std::to_string(seed) + " tick " + std::to_string(tick)));
            fastRun.BetweenTicks(fast);
            referenceRun.BetweenTicks(reference);
        }
    }
}

TEST(StepEquivalence, SmallWorldsOnQuarterUnitsAndAtRandomPlaces) {
    ExpectSameRuns(RandomRun::Kind::kOrdinary, 1000, 120, 40);
}

TEST(StepEquivalence, WorldsFarFromTheOriginWhereCornersRound) {
    ExpectSameRuns(RandomRun::Kind::kFar, 2000, 100, 40);
}

TEST(StepEquivalence, ManyGridsPiledOverOneArea) {
    ExpectSameRuns(RandomRun::Kind::kCrowded, 3000, 6, 30);
}

TEST(StepEquivalence, NonFiniteHugeAndSubnormalPlacesAndCellSizes) {
    ExpectSameRuns(RandomRun::Kind::kOdd, 4000, 150, 30);
}

}  // namespace

#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <vector>

#include "simulation_helpers.h"

// Random worlds and the events of a run, drawn from one seed. Two RandomRun
// objects made with the same seed build the same world and apply the same
// events, so two worlds can be stepped side by side in different ways.
class RandomRun {
public:
    enum class Kind {
        // Small worlds on a lattice of quarter units, where corners often fall
        // exactly on cell edges, and at random float positions.
        kOrdinary,
        // The same far from the origin, where float corners round coarsely.
        kFar,
        // Many grids piled over one area.
        kCrowded,
        // NaN, infinite, huge, tiny and subnormal places and cell sizes.
        kOdd,
    };

    RandomRun(std::uint32_t seed, Kind kind) : seed(seed), kind(kind), draw(seed) {}

    void Build(tvWorld& world) {
        std::srand(seed);
        base = kind == Kind::kFar ? Pick({1.0e5f, 16777216.0f, -33554432.5f, 1.0e9f}) : 0.0f;
        const int count = kind == Kind::kCrowded ? Between(40, 80) : Between(1, 12);
        for (int n = 0; n < count; ++n) {
            AddGrid(world);
        }
    }

    // Moves, clones, locks and unlocks, and now and then a clearing: what the
    // user and the program can do between two ticks.
    void BetweenTicks(tvWorld& world) {
        const std::vector<tvSurface2d*> grids = GridsOf(world);
        const int moves = Between(0, 3);
        for (int m = 0; m < moves; ++m) {
            tvSurface2d* grid = grids[Index(grids.size())];
            const float dx = Displacement(*grid);
            const float dy = Displacement(*grid);
            grid->MoveBy(dx, dy);
        }
        if (Chance(0.06)) {
            tvSurface2d* original = grids[Index(grids.size())];
            const float dx = Displacement(*original);
            const float dy = Displacement(*original);
            original->Clone()->MoveBy(dx, dy);
        }
        if (Chance(0.15)) {
            ToggleLock(*grids[Index(grids.size())]);
        }
        if (Chance(0.03)) {
            world.ClearAll(Chance(0.3));
        }
    }

private:
    static std::vector<tvSurface2d*> GridsOf(const tvWorld& world) {
        std::vector<tvSurface2d*> grids;
        for (tvSurface* s = world.FirstSurface(); s; s = s->NextSurface()) {
            grids.push_back(static_cast<tvSurface2d*>(s));
        }
        return grids;
    }

    void AddGrid(tvWorld& world) {
        const float x = Coordinate();
        const float y = Coordinate();
        const float cellSize = CellSize();
        const int columns = Extent();
        const int rows = Extent();
        auto* grid = new tvSurface2d(&world, x, y, cellSize, columns, rows);
        if (Chance(0.3)) {
            const int k = Between(0, 4);
            const Colour colour{Unit(), Unit(), Unit()};
            grid->Fill(SwatchCell(k, colour, Chance(0.8) ? 1.0f : Unit()));
            return;
        }
        for (int c = 0; c < grid->Columns(); ++c) {
            for (int r = 0; r < grid->Rows(); ++r) {
                FillCell(*grid->NextCell(c, r));
            }
        }
        grid->Commit();
    }

    void FillCell(tvCell& cell) {
        cell.locked = Chance(0.1);
        for (tvCellLayer& layer : cell.layers) {
            if (Chance(0.55)) {
                continue;
            }
            layer.amount =
                Pick({Unit(), 1.0f, 0.03f, 0.035f, 0.01f * static_cast<float>(Between(1, 6))});
            layer.source = Chance(0.1);
            layer.red = Unit();
            layer.green = Unit();
            layer.blue = Unit();
        }
    }

    void ToggleLock(tvSurface2d& grid) {
        if (grid.Columns() == 0 || grid.Rows() == 0) {
            return;
        }
        const int c = Between(0, grid.Columns() - 1);
        const int r = Between(0, grid.Rows() - 1);
        const bool locked = !grid.CurrentCell(c, r)->locked;
        grid.CurrentCell(c, r)->locked = locked;
        grid.NextCell(c, r)->locked = locked;
    }

    int Extent() {
        if (kind == Kind::kCrowded) {
            return Chance(0.2) ? Between(10, 20) : Between(1, 5);
        }
        const double roll = Unit();
        return roll < 0.05 ? 0 : roll < 0.25 ? 1 : Between(2, 9);
    }

    float Coordinate() {
        if (kind == Kind::kOdd && Chance(0.3)) {
            return OddValue();
        }
        const float offset =
            Chance(0.6) ? 0.25f * static_cast<float>(Between(-160, 320)) : -40.0f + 120.0f * Unit();
        return base + offset;
    }

    float CellSize() {
        if (kind == Kind::kOdd && Chance(0.3)) {
            return OddValue();
        }
        if (Chance(0.7)) {
            return Pick({10.0f, 7.0f, 3.0f, 1.0f, 2.5f, 0.7f, 13.3f, 6.5f, 1.0f / 3.0f, 0.25f});
        }
        return 0.2f + 15.0f * Unit();
    }

    // Whole and fractional cells, and now and then an odd jump and its way back.
    float Displacement(const tvSurface2d& grid) {
        if (kind == Kind::kOdd && Chance(0.1)) {
            return OddValue();
        }
        if (Chance(0.3)) {
            return grid.CellWidth() * static_cast<float>(Between(-2, 2));
        }
        return Chance(0.5) ? 0.25f * static_cast<float>(Between(-24, 24)) : -6.0f + 12.0f * Unit();
    }

    float OddValue() {
        constexpr float kInf = std::numeric_limits<float>::infinity();
        return Pick({std::numeric_limits<float>::quiet_NaN(), kInf, -kInf, 0.0f, -0.0f, -10.0f,
                     1.0e30f, -1.0e30f, 3.0e38f, std::numeric_limits<float>::max(), 1.0e-40f,
                     1.0e-30f, 2147483648.0f, 16777216.0f, 1.0e-3f});
    }

    bool Chance(double p) { return Unit() < p; }

    // In [0, 1], both ends possible.
    float Unit() { return static_cast<float>(draw() % 1025) / 1024.0f; }

    int Between(int low, int high) {
        return low + static_cast<int>(draw() % static_cast<std::uint32_t>(high - low + 1));
    }

    std::size_t Index(std::size_t size) { return draw() % size; }

    float Pick(std::initializer_list<float> values) { return values.begin()[Index(values.size())]; }

    std::uint32_t seed;
    Kind kind;
    std::mt19937 draw;
    float base = 0.0f;
};

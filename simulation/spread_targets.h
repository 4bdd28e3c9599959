#pragma once

#include <span>
#include <vector>

class tvSurface;
class tvSurface2d;

// The grids of a world that a cell corner can pass colour to: every grid that
// has an unlocked cell, in the world's list order. Gathered once per world
// tick; a grid whose cells are all locked refuses every transfer, and locks
// do not change while the world steps.
class tvSpreadTargets {
public:
    // False, with nothing gathered, when the world holds a surface that is
    // not a plain tvSurface2d: its lookups are its own to answer.
    bool Gather(tvSurface* firstSurface);

    std::span<tvSurface2d* const> Grids() const { return grids; }

private:
    std::vector<tvSurface2d*> grids;
};

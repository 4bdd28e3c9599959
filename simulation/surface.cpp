#include "surface.h"

#include "world.h"

tvSurface::tvSurface(tvWorld* world)
    : world(world), prevLink(&world->firstSurface), nextSurface(world->firstSurface) {
    world->firstSurface = this;
    if (nextSurface) {
        nextSurface->prevLink = &nextSurface;
    }
    world->MarkUnsettled();
}

tvSurface::~tvSurface() {
    *prevLink = nextSurface;
    if (nextSurface) {
        nextSurface->prevLink = prevLink;
    }
    world->OnSurfaceRemoved();
}

#include "world.h"

#include "surface.h"

tvWorld::~tvWorld() {
    // Each deletion unlinks the first surface and so makes the next one first.
    while (firstSurface) {
        delete firstSurface;
    }
}

void tvWorld::DrawAll() {
    for (tvSurface* s = firstSurface; s; s = s->NextSurface()) {
        s->Draw();
    }
}

bool tvWorld::DescribeDrawing(const tvDrawingSink& add) const {
    for (const tvSurface* s = firstSurface; s; s = s->NextSurface()) {
        if (!s->DescribeDrawing(add)) {
            return false;
        }
    }
    return true;
}

tvSurface* tvWorld::SurfaceAt(float x, float y) {
    for (tvSurface* s = firstSurface; s; s = s->NextSurface()) {
        if (s->HitTest(x, y)) {
            return s;
        }
    }
    return nullptr;
}

void tvWorld::StepAll() {
    StepEachThenCommit(spreadTargets.Gather(firstSurface) ? &spreadTargets : nullptr);
}

void tvWorld::StepAllReference() {
    StepEachThenCommit(nullptr);
}

void tvWorld::StepEachThenCommit(const tvSpreadTargets* targets) {
    for (tvSurface* s = firstSurface; s; s = s->NextSurface()) {
        s->Step(targets);
    }
    for (tvSurface* s = firstSurface; s; s = s->NextSurface()) {
        s->Commit();
    }
}

void tvWorld::ClearAll(bool flag) {
    for (tvSurface* s = firstSurface; s; s = s->NextSurface()) {
        s->Clear(flag);
    }
    for (tvSurface* s = firstSurface; s; s = s->NextSurface()) {
        s->Commit();
    }
}

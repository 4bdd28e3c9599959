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

void tvWorld::DrawPart(const tvBounds& area) {
    for (tvSurface* s = firstSurface; s; s = s->NextSurface()) {
        s->DrawPart(area);
    }
}

void tvWorld::CollectDrawChanges(tvDrawChanges& changes) const {
    if (surfaceRemoved) {
        changes.all = true;
        return;
    }
    for (const tvSurface* s = firstSurface; s && !changes.all; s = s->NextSurface()) {
        s->CollectDrawChanges(changes);
    }
}

void tvWorld::MarkDrawn() {
    surfaceRemoved = false;
    for (tvSurface* s = firstSurface; s; s = s->NextSurface()) {
        s->MarkDrawn();
    }
}

void tvWorld::OnSurfaceRemoved() {
    surfaceRemoved = true;
    settled = false;
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
    bool changed = false;
    for (tvSurface* s = firstSurface; s; s = s->NextSurface()) {
        s->Commit();
        changed = changed || s->LastCommitChanged();
    }
    settled = !changed;
}

void tvWorld::ClearAll(bool flag) {
    settled = false;
    for (tvSurface* s = firstSurface; s; s = s->NextSurface()) {
        s->Clear(flag);
    }
    for (tvSurface* s = firstSurface; s; s = s->NextSurface()) {
        s->Commit();
    }
}

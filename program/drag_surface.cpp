#include "drag_surface.h"

#include "app_mode_master.h"
#include "surface.h"

void StartDrag(tvSurface* surface) {
    auto* drag = new DragSurface(surface);
    drag->Push();
    // The stack refuses a push when it is full; a drag that never reached it
    // would never see its release.
    AppModeMaster* master = drag->GetMaster();
    if (master->GetClient() != drag) {
        delete drag;
    }
}

void DragSurface::OnMouseMove(float dx, float dy) {
    if (surface) {
        surface->MoveBy(dx, dy);
    }
}

// Nothing may touch this mode after the delete; the stack reads its count
// afresh and never looks at a popped mode again.
void DragSurface::OnMouseUp(float /*x*/, float /*y*/) {
    Pop();
    delete this;
}

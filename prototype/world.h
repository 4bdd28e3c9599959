#pragma once

class tvSurface;

// Owns every surface and keeps them in one list, newest first. The list order
// is the order of drawing, picking and stepping.
class tvWorld {
public:
    tvWorld() = default;
    tvWorld(const tvWorld&) = delete;
    tvWorld& operator=(const tvWorld&) = delete;
    // Deletes every surface, in list order.
    virtual ~tvWorld();

    void DrawAll();
    // The first surface in list order that the point hits, or none.
    tvSurface* SurfaceAt(float x, float y);
    // Every surface steps before any commits, so each step reads the state of
    // the previous tick from every surface.
    void StepAll();
    void ClearAll(bool flag);

    tvSurface* FirstSurface() const { return firstSurface; }

private:
    friend class tvSurface;

    tvSurface* firstSurface = nullptr;
};

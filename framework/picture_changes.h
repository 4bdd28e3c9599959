#pragma once

#include <vector>

// A rectangle of the picture in world units; y grows downwards.
struct WorldRect {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// What may look different in a picture since it was last on screen: some
// rectangles of it, or all of it.
class PictureChanges {
public:
    void Clear() {
        all = false;
        areas.clear();
    }
    void Add(const WorldRect& area) { areas.push_back(area); }
    void AddAll() { all = true; }

    bool All() const { return all; }
    bool Empty() const { return !all && areas.empty(); }
    const std::vector<WorldRect>& Areas() const { return areas; }

private:
    bool all = false;
    std::vector<WorldRect> areas;
};

// Whatever draws the picture a frame shows, and can tell what of it changed
// and whether it changes while time passes.
class PictureSource {
public:
    // Adds what may look different from when MarkShown was last called; a
    // source that cannot tell adds all.
    virtual void CollectChanges(PictureChanges& changes) = 0;
    // What it would draw now is what the window shows.
    virtual void MarkShown() = 0;
    // Draws at least the part of the picture that lies in the area; the
    // frame is clipped to it.
    virtual void DrawArea(const WorldRect& area) = 0;
    // Whether the picture may change with time alone, without input.
    virtual bool NeedsTicks() = 0;

protected:
    ~PictureSource() = default;
};

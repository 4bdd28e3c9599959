#pragma once

class tvSurface2d;
struct tvCell;

// One colour slot of a cell. Colour only ever moves between layers of the
// same index, so the five layers of a cell are five independent channels.
struct tvCellLayer {
    // Draws red, green and blue, in that order, from the process-wide rand().
    tvCellLayer();

    // The spreading step for this layer of cell (column, row) of the current
    // buffer; next is the same layer of the same cell in the next buffer.
    void SpreadLayer(tvCellLayer& next, tvSurface2d& grid, int column, int row, int layer) const;
    // Offers this layer's colour, less the spreading loss, to layer `layer`
    // of a target cell. The amount is compared against `read` and written to
    // `write`, which may be different cells of different buffers.
    void TransferTo(const tvCell& read, tvCell& write, int layer) const;

    bool source = false;
    float red;
    float green;
    float blue;
    float amount = 0.0f;
};

struct tvCell {
    static constexpr int kLayerCount = 5;

    tvCellLayer layers[kLayerCount];
    // A locked cell receives no colour from its neighbours or other surfaces.
    bool locked = false;
};

// The value every cell of a swatch holds: a fresh cell (random layer colours,
// no amounts), locked, whose layer `sourceLayer` is a source carrying the
// given colour and amount.
tvCell SourceCell(int sourceLayer, float red, float green, float blue, float amount);

// A rectangle in world units; y grows downwards, so top < bottom.
struct tvBounds {
    float left;
    float right;
    float top;
    float bottom;
};

// A position in world units.
struct tvPoint {
    float x;
    float y;
};

#pragma once

#include "cell.h"
#include "draw_kit.h"
#include "grid_painter.h"

// The colour a cell shows: its five layers mixed on a white ground of weight
// one, in single precision and layer order. False when the amounts add up to
// nothing or less, so that the cell gets no fill at all.
bool MixedColour(const tvCell& cell, Colour& shown);

// The alpha of a cell's grey band: opaque when the cell is locked, faint when not.
float OutlineAlpha(bool locked);

// Draws one cell into rect: its five layers mixed on a white ground of weight
// one, filled opaque, then a grey band along its edges, opaque when the cell
// is locked and faint when it is not. Draws into the current frame and
// relies on the frame set-up for blending and the view.
void DrawCell(const tvCell& cell, tvBounds rect);

// Draws a grid's cells one by one from its current buffer, column by column
// and within a column from the top row down.
class tvCellByCellPainter final : public tvGridPainter {
public:
    void DrawCells(const tvSurface2d& grid, const tvCellRange& cells) override;
};

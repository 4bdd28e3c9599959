#include "cell_drawing.h"

#include "draw_kit.h"
#include "surface2d.h"

namespace {

constexpr float kLockedOutlineAlpha = 1.0f;
constexpr float kUnlockedOutlineAlpha = 0.35f;

}  // namespace

// Every layer counts, source or not, and a layer whose amount is 0 adds
// nothing whatever colour it holds. The reciprocal of the total is formed
// once and multiplied into each channel.
bool MixedColour(const tvCell& cell, Colour& shown) {
    float total = 1.0f;
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    for (const tvCellLayer& layer : cell.layers) {
        total += layer.amount;
        red += layer.red * layer.amount;
        green += layer.green * layer.amount;
        blue += layer.blue * layer.amount;
    }
    if (!(total > 0.0f)) {
        return false;
    }
    const float scale = 1.0f / total;
    shown = Colour{red * scale, green * scale, blue * scale};
    return true;
}

float OutlineAlpha(bool locked) {
    return locked ? kLockedOutlineAlpha : kUnlockedOutlineAlpha;
}

void DrawCell(const tvCell& cell, tvBounds rect) {
    SetDrawAlpha(1.0f);
    Colour shown;
    if (MixedColour(cell, shown)) {
        shown.Apply();
        FillRect(rect);
    }
    SetDrawAlpha(OutlineAlpha(cell.locked));
    OutlineColour().Apply();
    OutlineRect(rect);
}

// The right and bottom edges are (origin + size) + index * size rather than
// left + size: the two can differ in the last bit, and any faster painter
// must put every edge exactly where this one does.
void tvCellByCellPainter::DrawCells(const tvSurface2d& grid, const tvCellRange& cells) {
    const float width = grid.CellWidth();
    const float height = grid.CellHeight();
    const float x = grid.OriginX();
    const float y = grid.OriginY();
    for (int i = cells.firstColumn; i < cells.endColumn; ++i) {
        const float column = static_cast<float>(i);
        for (int j = cells.firstRow; j < cells.endRow; ++j) {
            const float row = static_cast<float>(j);
            const tvBounds rect{x + column * width, (x + width) + column * width, y + row * height,
                                (y + height) + row * height};
            if (const tvCell* cell = grid.CurrentCell(i, j)) {
                DrawCell(*cell, rect);
            }
        }
    }
}

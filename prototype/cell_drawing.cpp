#include "cell_drawing.h"

#include "draw_kit.h"
#include "surface2d.h"

namespace {

constexpr float kUnlockedOutlineAlpha = 0.35f;

}  // namespace

// Every layer counts, source or not, and a layer whose amount is 0 adds
// nothing whatever colour it holds.
void DrawCell(const tvCell& cell, tvBounds rect) {
    SetDrawAlpha(1.0f);
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
    if (total > 0.0f) {
        const float scale = 1.0f / total;
        SetDrawColour(red * scale, green * scale, blue * scale);
        FillRect(rect);
    }
    SetDrawAlpha(cell.locked ? 1.0f : kUnlockedOutlineAlpha);
    OutlineColour().Apply();
    OutlineRect(rect);
}

// The right and bottom edges are (origin + size) + index * size rather than
// left + size: the two can differ in the last bit, and any faster painter
// must put every edge exactly where this one does.
void tvCellByCellPainter::DrawGrid(const tvSurface2d& grid) {
    const float width = grid.CellWidth();
    const float height = grid.CellHeight();
    const float x = grid.OriginX();
    const float y = grid.OriginY();
    for (int i = 0; i < grid.Columns(); ++i) {
        const float column = static_cast<float>(i);
        for (int j = 0; j < grid.Rows(); ++j) {
            const float row = static_cast<float>(j);
            const tvBounds rect{x + column * width, (x + width) + column * width, y + row * height,
                                (y + height) + row * height};
            if (const tvCell* cell = grid.CurrentCell(i, j)) {
                DrawCell(*cell, rect);
            }
        }
    }
}

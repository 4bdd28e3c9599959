#include "grid_painter.h"

namespace {

tvGridPainter* gridPainter = nullptr;

}  // namespace

void SetGridPainter(tvGridPainter* painter) {
    gridPainter = painter;
}

tvGridPainter* GetGridPainter() {
    return gridPainter;
}

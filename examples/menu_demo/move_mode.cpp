#include "move_mode.h"

#include "square_mode.h"

void MoveMode::OnMouseMove(float dx, float dy) {
    square.MoveBy(dx, dy);
}

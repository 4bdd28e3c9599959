#pragma once

#include <vector>

#include "window_description.h"

// The window icon, drawn in code from the shapes of the installed SVG icon
// (data/io.github.quillmere.Quillmere.svg) so that no image decoder is
// needed at run time: 16, 32, 48, 64 and
// 128 pixels square (the largest for docks on dense screens), smallest first.
std::vector<IconImage> QuillmereIcons();

#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A square icon image, row by row from the top left corner, each pixel
// 0xAARRGGBB with straight (not premultiplied) alpha.
struct IconImage {
    int size = 0;
    std::vector<std::uint32_t> argb;
};

// What a program asks of its main window before the window exists, so that
// the window appears once, at its final size, already carrying everything a
// desktop reads from it when it first shows it (docks, task switchers,
// window managers that decide placement at that moment).
struct WindowDescription {
    std::string title;
    int width = 640;
    int height = 480;
    // The instance and class names desktops group windows by (on X11 the
    // two halves of WM_CLASS); the class matches the desktop entry's
    // StartupWMClass.
    std::string instanceName;
    std::string className;
    // Device pixels for each unit of the size, from 1 to 8, fractions
    // allowed; 0 (the default) takes the desktop's scale factor and follows
    // it while the program runs.
    float scale = 0.0f;
    // The window's icon at several sizes, smallest first.
    std::vector<IconImage> icons;
};

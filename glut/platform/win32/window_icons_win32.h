#pragma once

// The window's big and small icons, made from the description's images for
// the window's DPI. Windows does not free an icon a window was given: the
// icons made are destroyed when new ones replace them and when the window
// goes.
#include <windows.h>

#include <vector>

#include "window_description.h"

class WindowIcons {
public:
    WindowIcons() = default;
    WindowIcons(const WindowIcons&) = delete;
    WindowIcons& operator=(const WindowIcons&) = delete;
    ~WindowIcons() { Destroy(); }

    // Gives the window icons of the sizes Windows wants at the DPI.
    void Show(HWND window, const std::vector<IconImage>& images, UINT dpi);
    void Destroy();

private:
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
};

#pragma once

// Windows' DPI calls, looked up in user32 at run time: the per-monitor ones
// came with Windows 10 (1607, and 1703 for the awareness context), and a
// program that imported them would not even load on an older Windows. Where
// a call is missing, the system's one DPI stands for every window and
// monitor, as it does on those versions.
#include <windows.h>

// Per-monitor aware (v2) where Windows has it, else aware of the system DPI.
void DeclareDpiAwareness();
UINT SystemDpi();
// The window's DPI; the system's where Windows tells no other.
UINT WindowDpi(HWND window);
// The window's frame around a client area of width by height at the DPI,
// from the client's top left corner.
RECT FrameAround(int width, int height, DWORD style, DWORD exStyle, UINT dpi);
int SystemMetricAt(int index, UINT dpi);

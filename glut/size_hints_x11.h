#pragma once

// Tells the window manager that the current GLUT window keeps one size:
// WM_NORMAL_HINTS with the minimum and maximum both at that size, so window
// managers that honour hints offer no resize handle, and tiling ones that
// float fixed-size windows (i3) float it at that size instead of tiling it.
//
// freeglut maps a window inside glutCreateWindow, before any hint can be
// set, and i3 decides between tiling and floating only when a window is
// mapped. So a window that a window manager already manages at another size
// is withdrawn and mapped again, at the kept size, for the manager to read
// the new hints. Without a window manager nothing is remapped.
void HoldWindowSizeX11(int width, int height);

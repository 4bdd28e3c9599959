#pragma once

// The mouse-wheel reader: wheel_glut.cpp, for a GLUT with a wheel callback
// (freeglut on X11, the web's own), or a platform's own in its folder
// (platform/win32/wheel_dinput.cpp). The host only sees these three calls.

// Sets the reader up for the current window. Negative on failure, in which
// case PollWheel reports 0 and ReleaseWheel touches nothing.
int InitWheel();

// -1, 0 or +1: the sign of the wheel movement since the previous poll (up is
// +1). 0 when nothing moved or nothing could be read; several notches in one
// direction still give a single step.
int PollWheel();

void ReleaseWheel();

#pragma once

#include "display_x11.h"

// freeglut may be initialised only once per process: a second glutInit ends
// the process. Everything that needs GLUT (the start-up banner, the host's
// window) goes through here instead of calling glutInit itself.
//
// When no X display can be opened, this says so plainly on stderr, with how
// to run the program, and ends the process with a failure status, instead of
// leaving it to freeglut's terse message.
void EnsureGlutInitialised();

// Exit status of the process when no X display could be opened.
inline constexpr int kNoDisplayExitStatus = 2;

// What the desktop said about its scale and room when GLUT was initialised.
const DisplayAtStart& DisplayAtGlutStart();

// The scale factor for a window, decided once at start: the factor the
// program was given (0 for none), else GDK_SCALE, else the desktop's as it
// was when GLUT was initialised (desktop_scale.h gives the order).
ScaleChoice ChooseWindowScale(float given);

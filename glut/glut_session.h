#pragma once

// freeglut may be initialised only once per process: a second glutInit ends
// the process. Everything that needs GLUT (the start-up banner, the host's
// window) goes through here instead of calling glutInit itself.
//
// When no display can be opened, the platform says so plainly on stderr, with
// how to run the program, and this ends the process with a failure status,
// instead of leaving it to freeglut's terse message.
void EnsureGlutInitialised();

// Exit status of the process when no display could be opened.
inline constexpr int kNoDisplayExitStatus = 2;

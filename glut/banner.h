#pragma once

#include "window_description.h"

// The start-up banner. Linux has no system message box, so this shows a small
// GLUT window captioned "Quillmere" with the title line, the program's notice
// line and the GLUT library's notice line, and an OK button. It returns once
// the user dismisses it (a click on OK, Return, Space, Escape, or closing the
// window) and has destroyed its window by then. It sleeps while it waits.
//
// Its window carries the program's window class and icon (the program's
// main window description; its title and size are the banner's own).
//
// It initialises GLUT for the process, so it must come before
// CreateApplication, as start-up does anyway.
void ShowStartupBanner(const char* programNotice, const WindowDescription& program = {});

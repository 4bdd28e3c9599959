#pragma once

// What the web platform's own files need of the web GLUT beyond GLUT's
// calls: a page may never block, so waiting and holding are the loop's to
// do, and the canvas's size reports are kept here, where the canvas is sized.

#include <vector>

namespace glut_web {

// The idle callback is not called again until input arrives or the seconds
// have passed (negative: input alone). Nothing is scheduled meanwhile
// without a time, so a page at rest costs nothing.
void WaitForInput(double seconds);

// While held (the start-up banner is up), no callback runs and the canvas is
// hidden; Release shows it and lets the loop start or go on.
void Hold();
void Release();

// Something the idle callback must look at happened outside GLUT's input
// (the desktop's scale changed): the loop runs it at the next animation
// frame even while it waits.
void Wake();

struct CanvasSize {
    int width = 0;
    int height = 0;
    bool operator==(const CanvasSize&) const = default;
};
// Every size the canvas was given since the last call, oldest first.
std::vector<CanvasSize> TakeSizeReports();
// The canvas's size now, and how many times it changed.
CanvasSize CurrentSize();
unsigned long SizeChanges();

// The canvas's size on the page follows devicePixelRatio: its device pixels
// are the page's, so a drawing buffer of so many device pixels is shown at
// so many CSS pixels divided by the ratio. Called again when it changes.
void LayOutCanvas();

}  // namespace glut_web

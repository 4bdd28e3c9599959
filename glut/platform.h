#pragma once

// What the GLUT host needs from the window system beneath freeglut, where
// freeglut has no call for it. Each platform fills this in in its own folder
// (platform/x11, platform/win32), which the build picks; the host calls
// nothing else of the window system. The wheel (wheel.h) and the start-up
// banner (banner.h) are the platforms' own as well.
//
// Everything here works on freeglut's current window.

#include <functional>
#include <vector>

#include "desktop_scale.h"
#include "frame_parts.h"
#include "size_keeper.h"
#include "window_description.h"

namespace platform {

// Before glutInit: whatever must happen before freeglut opens its display.
// False, having said on stderr how to run the program, when no display can
// be opened.
bool Start();

// The scale factor for a window, decided once at start: the factor the
// program was given (0 for none), else the desktop's.
ScaleChoice ChooseScale(float given);
// The desktop's factor now (read again after a change), and its room.
float DesktopScale();
ScreenArea ReadScreenArea();

// What the host answers where a window system asks, while it waits, about
// a change of the desktop's factor for the window: the window's size in
// device pixels at a factor, and following the change at once (which sizes
// the window through SizeWindow). A platform that tells the change later,
// through TakeDesktopChange, asks nothing.
struct ScaleFollower {
    std::function<SizeKeeper::Size(float desktopScale)> sizeAt;
    std::function<void()> follow;
};
void FollowScaleWith(ScaleFollower follower);

// Around glutCreateWindow: what the window carries for the desktop (its
// class, icon and fixed size) from its first showing, and from then on
// watching its size reports and the desktop's settings.
void PrepareWindow(const WindowDescription& description);
void FinishWindow();
// The one way the window is sized: its client area becomes so many device
// pixels, which it is to keep.
void SizeWindow(int width, int height);

// Every size the window system reported for the window since the last call,
// oldest first, including reports that left the size as it was.
std::vector<SizeKeeper::Size> TakeSizeReports();
// Whether the desktop's scale or room changed since the last call.
bool TakeDesktopChange();

// Sleeps until input arrives or the seconds have passed (negative: input
// alone); returns at once when input is waiting.
void WaitForInput(double seconds);

// Presenting parts of the back buffer, where the GL can (part_presenter.h
// keeps them inside the buffer). Looked up for the current context; false
// where parts cannot be presented and every frame is swapped whole.
bool CanPresentParts();
// What the window system has said of the window's size so far, and how many
// times that changed, as known from what has been read of it without asking
// again; see part_presenter.h for why this tells the back buffer's size.
struct ReportedSize {
    SizeKeeper::Size size;
    unsigned long changes = 0;
};
ReportedSize ReadReportedSize();
// Copies the rectangles (from the top left corner, inside the buffer) of the
// back buffer, bufferHeight rows high, to the window. False when the window
// system refused one.
bool PresentParts(const std::vector<PixelRect>& rects, int bufferHeight);

}  // namespace platform

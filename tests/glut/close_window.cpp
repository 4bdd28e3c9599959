// Asks a window to close the way a window manager does when the user clicks
// its close button: a WM_DELETE_WINDOW message. xdotool cannot send one (its
// windowkill kills the client instead), so the scripts use this.
// Usage: close_window WINDOW_ID
#include <cstdio>
#include <cstdlib>

#include "x_test_client.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: close_window WINDOW_ID\n");
        return 2;
    }
    XTestClient x;
    x.RequestClose(static_cast<Window>(std::strtoul(argv[1], nullptr, 0)));
    return 0;
}

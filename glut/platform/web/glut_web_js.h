#pragma once

// The page's side of the web platform, in glut_web.js: what html5.h has no
// call for (the drawing context that emscripten's GL emulation needs, the
// canvas's size on the page, pointer events, the popup menu's and the
// banner's elements). Each returns at once.

#ifdef __cplusplus
extern "C" {
#endif

// Makes the WebGL context for #canvas and the current one; 0 on failure.
int glut_web_js_create_context(void);
// Gives the canvas so many device pixels, shown at the page's ratio.
void glut_web_js_size_canvas(int width, int height);
void glut_web_js_show_canvas(int shown);
void glut_web_js_set_title(const char* title);
// A CSS cursor name; empty for the page's own.
void glut_web_js_set_cursor(const char* cursor);
// Pointer events on the canvas call glut_web_on_pointer.
void glut_web_js_listen_pointer(void);
// Shows a menu (its entries as JSON, see glut_menu_web.cpp) at a canvas
// pixel; a choice calls glut_web_on_menu_chosen, and closing it without one
// glut_web_on_menu_closed.
void glut_web_js_open_menu(const char* menuJson, int x, int y);
// Shows the modal banner; its dismissal calls glut_web_on_banner_closed.
void glut_web_js_show_banner(const char* caption, const char* text);
double glut_web_js_device_pixel_ratio(void);
// The room the page leaves the canvas (its parent, #stage), in device pixels.
int glut_web_js_room_width(void);
int glut_web_js_room_height(void);
// A change of devicePixelRatio or of the room calls
// glut_web_on_desktop_changed.
void glut_web_js_watch_desktop(void);

#ifdef __cplusplus
}
#endif

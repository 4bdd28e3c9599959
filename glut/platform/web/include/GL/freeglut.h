#pragma once

// The GLUT of the web build: the part of freeglut's interface that the host,
// the framework and its programs call, with freeglut's names and values, so
// that the same sources build against it unchanged. It is implemented in
// this folder on emscripten's html5.h and a little JavaScript
// (glut_web.js); emscripten's own GLUT is not linked.
//
// Kept from freeglut's contracts: callbacks run one at a time on the one
// thread; glutGetModifiers is valid only inside the mouse and keyboard
// callbacks; Shift, Ctrl and Alt pressed alone reach the special-key
// callback with the codes 112 to 117; a wheel notch calls the wheel callback
// once with +1 (up) or -1; a menu attached to a button takes that button's
// presses and releases from the mouse callback; a registered idle callback
// is called again and again. What differs, because a page may never block:
// glutMainLoop hands the loop to the browser and does not return; the idle
// callback is called once per animation frame, and not at all while the
// platform waits for input (glut_web.h); buffers are swapped by the browser
// after each animation frame, so glutSwapBuffers only marks the frame done.
//
// Missing: more than one window (and destroying the one), subwindows,
// overlays, bitmap and stroke fonts, joysticks, game mode, detaching menus,
// menu status callbacks, timers (glutTimerFunc), the close callback, and
// every other call not declared here.

#include <GL/gl.h>

#define GLUT_RGB 0x0000
#define GLUT_RGBA 0x0000
#define GLUT_SINGLE 0x0000
#define GLUT_DOUBLE 0x0002

#define GLUT_LEFT_BUTTON 0x0000
#define GLUT_MIDDLE_BUTTON 0x0001
#define GLUT_RIGHT_BUTTON 0x0002
#define GLUT_DOWN 0x0000
#define GLUT_UP 0x0001

#define GLUT_KEY_F1 0x0001
#define GLUT_KEY_F12 0x000C
#define GLUT_KEY_LEFT 0x0064
#define GLUT_KEY_UP 0x0065
#define GLUT_KEY_RIGHT 0x0066
#define GLUT_KEY_DOWN 0x0067
#define GLUT_KEY_PAGE_UP 0x0068
#define GLUT_KEY_PAGE_DOWN 0x0069
#define GLUT_KEY_HOME 0x006A
#define GLUT_KEY_END 0x006B
#define GLUT_KEY_INSERT 0x006C
#define GLUT_KEY_NUM_LOCK 0x006D
#define GLUT_KEY_BEGIN 0x006E
#define GLUT_KEY_DELETE 0x006F
#define GLUT_KEY_SHIFT_L 0x0070
#define GLUT_KEY_SHIFT_R 0x0071
#define GLUT_KEY_CTRL_L 0x0072
#define GLUT_KEY_CTRL_R 0x0073
#define GLUT_KEY_ALT_L 0x0074
#define GLUT_KEY_ALT_R 0x0075
#define GLUT_KEY_SUPER_L 0x0076
#define GLUT_KEY_SUPER_R 0x0077

#define GLUT_ACTIVE_SHIFT 0x0001
#define GLUT_ACTIVE_CTRL 0x0002
#define GLUT_ACTIVE_ALT 0x0004

#define GLUT_CURSOR_RIGHT_ARROW 0x0000
#define GLUT_CURSOR_LEFT_ARROW 0x0001
#define GLUT_CURSOR_INFO 0x0002
#define GLUT_CURSOR_WAIT 0x0007
#define GLUT_CURSOR_TEXT 0x0008
#define GLUT_CURSOR_CROSSHAIR 0x0009
#define GLUT_CURSOR_INHERIT 0x0064
#define GLUT_CURSOR_NONE 0x0065

#define GLUT_WINDOW_WIDTH 0x0066
#define GLUT_WINDOW_HEIGHT 0x0067
#define GLUT_INIT_STATE 0x007C

#define GLUT_ACTION_EXIT 0
#define GLUT_ACTION_GLUTMAINLOOP_RETURNS 1
#define GLUT_ACTION_CONTINUE_EXECUTION 2
#define GLUT_ACTION_ON_WINDOW_CLOSE 0x01F9

#ifdef __cplusplus
extern "C" {
#endif

void glutInit(int* argc, char** argv);
void glutInitDisplayMode(unsigned int mode);
void glutInitWindowPosition(int x, int y);
void glutInitWindowSize(int width, int height);
void glutSetOption(GLenum what, int value);
int glutGet(GLenum query);

int glutCreateWindow(const char* title);
int glutGetWindow(void);
void glutSetWindow(int window);
void glutSetWindowTitle(const char* title);
void glutReshapeWindow(int width, int height);
void glutSetCursor(int cursor);
void glutPostRedisplay(void);
void glutSwapBuffers(void);
int glutGetModifiers(void);

void glutMainLoop(void);
void glutDisplayFunc(void (*callback)(void));
void glutReshapeFunc(void (*callback)(int width, int height));
void glutIdleFunc(void (*callback)(void));
void glutMouseFunc(void (*callback)(int button, int state, int x, int y));
void glutMotionFunc(void (*callback)(int x, int y));
void glutPassiveMotionFunc(void (*callback)(int x, int y));
void glutKeyboardFunc(void (*callback)(unsigned char key, int x, int y));
void glutSpecialFunc(void (*callback)(int key, int x, int y));
void glutMouseWheelFunc(void (*callback)(int wheel, int direction, int x, int y));

int glutCreateMenu(void (*callback)(int value));
void glutDestroyMenu(int menu);
int glutGetMenu(void);
void glutSetMenu(int menu);
void glutAddMenuEntry(const char* label, int value);
void glutAddSubMenu(const char* label, int subMenu);
void glutChangeToMenuEntry(int item, const char* label, int value);
void glutAttachMenu(int button);

#ifdef __cplusplus
}
#endif

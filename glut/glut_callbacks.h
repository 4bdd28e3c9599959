#pragma once

// The seven GLUT callbacks of the host. Each works on the current
// application. Registered by ApplicationGLUT::Init; tests may call them
// directly to drive the host without a running main loop.
void DisplayCallback();
void IdleCallback();
void MotionCallback(int x, int y);
void MouseCallback(int button, int state, int x, int y);
void KeyboardCallback(unsigned char key, int x, int y);
void SpecialCallback(int key, int x, int y);
void ReshapeCallback(int w, int h);

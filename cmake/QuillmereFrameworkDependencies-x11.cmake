# What linking Quillmere::glut brings on Linux: freeglut, GL, GLX, X11 and
# dl, from the system.
find_dependency(OpenGL COMPONENTS OpenGL GLX)
find_dependency(GLUT)
find_dependency(X11)

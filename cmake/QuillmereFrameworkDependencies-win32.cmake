# What linking Quillmere::glut brings on Windows: freeglut, built static for
# Windows and carried in this package's own prefix (Windows has no system
# freeglut), Windows' OpenGL 1.1 (opengl32), and the Win32 and DirectInput
# libraries that the host's own link names. The libraries are exported under
# the names the Linux build finds them by, GLUT::GLUT and OpenGL::OpenGL.
find_dependency(FreeGLUT CONFIG PATHS "${PACKAGE_PREFIX_DIR}" NO_DEFAULT_PATH)
find_dependency(OpenGL)
if(NOT TARGET GLUT::GLUT)
    add_library(GLUT::GLUT INTERFACE IMPORTED)
    target_link_libraries(GLUT::GLUT INTERFACE FreeGLUT::freeglut_static)
endif()
if(NOT TARGET OpenGL::OpenGL)
    add_library(OpenGL::OpenGL INTERFACE IMPORTED)
    target_link_libraries(OpenGL::OpenGL INTERFACE OpenGL::GL)
endif()

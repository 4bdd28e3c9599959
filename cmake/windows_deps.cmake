# The libraries of the Windows build, under the names the Linux build finds
# them by, so that the layers' own CMakeLists.txt serve both:
#   GLUT::GLUT       static freeglut (FREEGLUT_STATIC; opengl32, winmm and
#                    gdi32 linked after it); find_package(GLUT) finds it too
#   OpenGL::OpenGL   opengl32, Windows' OpenGL 1.1, where Linux has GLVND's
#                    libOpenGL
#   GTest::gtest_main and the rest of GoogleTest, through find_package(GTest)
# freeglut and GoogleTest are built once by scripts/build-windows-deps.sh into
# QUILLMERE_WINDOWS_DEPS_PREFIX, which the toolchain file chose and put on the
# find root path; this builds them there when they are not there yet.
if(NOT DEFINED QUILLMERE_WINDOWS_DEPS_PREFIX)
    message(FATAL_ERROR "The Windows build needs the toolchain file: "
        "cmake --preset windows, or -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-w64.cmake")
endif()

if(NOT EXISTS ${QUILLMERE_WINDOWS_DEPS_PREFIX}/quillmere-deps.txt
   OR NOT EXISTS ${QUILLMERE_WINDOWS_DEPS_PREFIX}/share/doc/freeglut/COPYING)
    message(STATUS "Building freeglut and GoogleTest for Windows into ${QUILLMERE_WINDOWS_DEPS_PREFIX}")
    execute_process(
        COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/build-windows-deps.sh
            ${QUILLMERE_WINDOWS_DEPS_PREFIX} ${QUILLMERE_WINDOWS_FREEGLUT_VERSION}
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "Building the Windows libraries failed (see above)")
    endif()
endif()

find_package(FreeGLUT ${QUILLMERE_WINDOWS_FREEGLUT_VERSION} EXACT CONFIG REQUIRED)
if(NOT TARGET GLUT::GLUT)
    add_library(GLUT::GLUT INTERFACE IMPORTED)
    target_link_libraries(GLUT::GLUT INTERFACE FreeGLUT::freeglut_static)
endif()
# FindGLUT looks for a library named freeglut or glut, and for GL/glut.h,
# which freeglut does not install on Windows; given these it finds the
# target above and leaves it as it is.
get_target_property(freeglut_library FreeGLUT::freeglut_static IMPORTED_LOCATION_RELEASE)
set(GLUT_glut_LIBRARY_RELEASE ${freeglut_library} CACHE FILEPATH "Static freeglut for Windows")
set(GLUT_INCLUDE_DIR ${QUILLMERE_WINDOWS_DEPS_PREFIX}/include CACHE PATH "freeglut's headers")

find_package(OpenGL REQUIRED)
if(NOT TARGET OpenGL::OpenGL)
    add_library(OpenGL::OpenGL INTERFACE IMPORTED)
    target_link_libraries(OpenGL::OpenGL INTERFACE OpenGL::GL)
endif()

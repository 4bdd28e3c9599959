# The X11 platform: Xlib and GLX beside freeglut.
find_package(X11 REQUIRED)
find_package(OpenGL REQUIRED COMPONENTS GLX)
target_sources(quillmere_glut PRIVATE
    glut_library_freeglut.cpp
    platform/x11/banner_glut.cpp
    platform/x11/configure_notices_x11.cpp
    platform/x11/desktop_scale_x11.cpp
    platform/x11/desktop_settings_x11.cpp
    platform/x11/display_x11.cpp
    platform/x11/idle_wait_x11.cpp
    platform/x11/platform_x11.cpp
    platform/x11/present_x11.cpp
    platform/x11/startup_notification_x11.cpp
    wheel_glut.cpp
    platform/x11/window_identity_x11.cpp
    platform/x11/x_error_trap_x11.cpp
    platform/x11/x_property_x11.cpp
)
# Tests reach the platform's own headers too; nothing installed includes them.
target_include_directories(quillmere_glut PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/platform/x11>)
target_link_libraries(quillmere_glut PRIVATE OpenGL::GLX X11::X11 ${CMAKE_DL_LIBS})

# The Windows platform: Win32 beside freeglut, DirectInput 7 for the wheel.
target_sources(quillmere_glut PRIVATE
    glut_library_freeglut.cpp
    platform/win32/banner_win32.cpp
    platform/win32/dpi_win32.cpp
    platform/win32/platform_win32.cpp
    platform/win32/wheel_dinput.cpp
    platform/win32/window_icons_win32.cpp
)
# The headers declare Windows 10's DPI calls and messages; dpi_win32.cpp
# looks the calls up at run time, so the program still loads where they are
# missing (tests/packaging/check_windows_imports.sh makes sure).
target_compile_definitions(quillmere_glut PRIVATE WINVER=0x0A00 _WIN32_WINNT=0x0A00)
target_link_libraries(quillmere_glut PRIVATE dinput dxguid user32 gdi32)

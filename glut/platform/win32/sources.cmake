# The Windows platform: Win32 beside freeglut, DirectInput 7 for the wheel.
target_sources(quillmere_glut PRIVATE
    platform/win32/banner_win32.cpp
    platform/win32/platform_win32.cpp
    platform/win32/wheel_dinput.cpp
)
# Per-monitor DPI calls came with Windows 10 (version 1607).
target_compile_definitions(quillmere_glut PRIVATE WINVER=0x0A00 _WIN32_WINNT=0x0A00)
target_link_libraries(quillmere_glut PRIVATE dinput dxguid user32 gdi32)

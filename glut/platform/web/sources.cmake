# The web platform: a GLUT of its own on emscripten's html5.h and the page
# (glut_web.js), in place of freeglut; WebGL through emscripten's emulation of
# OpenGL 1.1.
target_sources(quillmere_glut PRIVATE
    platform/web/banner_web.cpp
    platform/web/glut_input_web.cpp
    platform/web/glut_library_web.cpp
    platform/web/glut_menu_web.cpp
    platform/web/glut_web.cpp
    platform/web/platform_web.cpp
    wheel_glut.cpp
)
target_compile_definitions(quillmere_glut PRIVATE QUILLMERE_VERSION="${PROJECT_VERSION}")
# Its GL/freeglut.h stands in for freeglut's, for everything built on the host
# (installed under include/quillmere/web by the framework's package).
target_include_directories(quillmere_glut
    PUBLIC $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/platform/web/include>
        $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/quillmere/web>
    PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/platform/web)
# Whatever links the host gets the page's side of the platform, the GL
# emulation the drawing needs, and a runtime that outlives main.
set(glut_web_js ${CMAKE_CURRENT_SOURCE_DIR}/platform/web/glut_web.js)
target_link_options(quillmere_glut INTERFACE
    "SHELL:--js-library $<BUILD_INTERFACE:${glut_web_js}>$<INSTALL_INTERFACE:$<INSTALL_PREFIX>/${CMAKE_INSTALL_DATADIR}/quillmere-framework/glut_web.js>"
    -sLEGACY_GL_EMULATION=1
    -sALLOW_MEMORY_GROWTH=1
    -sENVIRONMENT=web)
set_property(TARGET quillmere_glut APPEND PROPERTY
    INTERFACE_LINK_DEPENDS $<BUILD_INTERFACE:${glut_web_js}>)

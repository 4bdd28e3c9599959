# The Debian packages, built by `cpack --preset default` (or `cpack -G DEB` in
# the Release build folder), one for each install component: quillmere, the
# program, with exactly what a plain `cmake --install` installs; and
# libquillmere-dev, the framework for building other programs, with what
# `cmake --install --component development` installs.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL program development)
set(CPACK_PACKAGE_NAME quillmere)
set(CPACK_PACKAGE_CONTACT "Quillmere developers <quillmere@users.noreply.github.com>")
# Each package's summary is the first line of its description; lines as
# Debian wants them: under 80 columns. (No CPACK_PACKAGE_DESCRIPTION_SUMMARY:
# CPack would put it before both descriptions.)
string(CONCAT CPACK_DEBIAN_PROGRAM_DESCRIPTION
    "mix colours on grids of cells\n"
    "Quillmere is a small desktop program for mixing colours on grids of cells.\n"
    "Drag a colour swatch onto a blank canvas and its colour flows into the\n"
    "cells beneath it, spreads from cell to cell, fades as it goes and mixes\n"
    "with the colours it meets. It draws with OpenGL on a freeglut window.")
string(CONCAT CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "Quillmere application framework for freeglut programs\n"
    "The framework Quillmere is built on, as static libraries with their\n"
    "headers, a CMake package (QuillmereFramework) and pkg-config files: an\n"
    "event and service interface, an application base with update pacing, a\n"
    "stack of interaction modes, and a freeglut window host with a popup menu\n"
    "of commands. Programs draw with OpenGL themselves.")
# Installed programs are stripped, as Debian's own packages are, and like
# dh_strip also of the compilers' version notes (the .comment section), which `strip`
# keeps. This runs after the program is installed and only when stripping, so
# `cmake --install --strip` does the same.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quillmere\"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME quillmere)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION graphics)
# The runtime libraries, with their versions, from what the program links
# (dpkg-shlibdeps): freeglut, libGL, libX11, the C and C++ runtimes.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libquillmere-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
# The static libraries hold no shared objects to find dependencies in; a
# program that links them needs what the imported targets link (freeglut,
# libOpenGL, libGLX, libX11; dl is in libc) with the headers the CMake
# package looks for.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "libglut-dev, libgl-dev, libopengl-dev, libglx-dev, libx11-dev")


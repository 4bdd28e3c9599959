# The Debian package, built by `cpack --preset default` (or `cpack -G DEB` in
# the Release build folder). It holds exactly what `cmake --install` installs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmere)
set(CPACK_PACKAGE_VENDOR "The Quillmere developers")
set(CPACK_PACKAGE_CONTACT "Quillmere developers <quillmere@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mix colours on grids of cells")
# Lines of the long description as Debian wants them: under 80 columns.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Quillmere is a small desktop program for mixing colours on grids of cells.\n"
    "Drag a colour swatch onto a blank canvas and its colour flows into the\n"
    "cells beneath it, spreads from cell to cell, fades as it goes and mixes\n"
    "with the colours it meets. It draws with OpenGL on a freeglut window.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://github.com/quillmere/quillmere)
# Installed programs are stripped, as Debian's own packages are, and like
# dh_strip also of the compilers' version notes (the .comment section), which
# `strip` keeps. This runs after the program is installed and only when
# stripping, so `cmake --install --strip` does the same.
set(CPACK_STRIP_FILES ON)
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quillmere\"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The runtime libraries, with their versions, from what the program links
# (dpkg-shlibdeps): freeglut, libGL, libX11, the C and C++ runtimes.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)

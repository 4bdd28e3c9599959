# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (package
# g++-mingw-w64-x86-64-posix): `cmake --preset windows`, or
# -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-w64.cmake. Tests run under
# Wine through tests/tools/with-wine.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix-thread variants: GoogleTest and std::thread need them (the win32
# variants have no std::thread).
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# freeglut and GoogleTest built for Windows by scripts/build-windows-deps.sh
# (cmake/windows_deps.cmake runs it when they are missing), kept outside the
# build folder so that a new build folder does not build them again: by
# default in the user's cache, in a folder named after their versions, so a
# new version is built beside the old. QUILLMERE_WINDOWS_DEPS names another
# folder. The freeglut version is the one the build expects; the script
# fails when Debian's source package is another.
set(QUILLMERE_WINDOWS_FREEGLUT_VERSION 3.4.0)
set(QUILLMERE_WINDOWS_GOOGLETEST_VERSION unknown)
if(EXISTS /usr/src/googletest/CMakeLists.txt)
    file(STRINGS /usr/src/googletest/CMakeLists.txt googletest_version_line
        REGEX "^set\\(GOOGLETEST_VERSION [0-9.]+\\)")
    string(REGEX MATCH "[0-9.]+" QUILLMERE_WINDOWS_GOOGLETEST_VERSION "${googletest_version_line}")
endif()
if(DEFINED ENV{QUILLMERE_WINDOWS_DEPS} AND NOT "$ENV{QUILLMERE_WINDOWS_DEPS}" STREQUAL "")
    set(QUILLMERE_WINDOWS_DEPS_PREFIX "$ENV{QUILLMERE_WINDOWS_DEPS}")
else()
    if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
        set(cache_home "$ENV{XDG_CACHE_HOME}")
    else()
        set(cache_home "$ENV{HOME}/.cache")
    endif()
    string(CONCAT QUILLMERE_WINDOWS_DEPS_PREFIX "${cache_home}/quillmere/mingw-w64/"
        "freeglut-${QUILLMERE_WINDOWS_FREEGLUT_VERSION}"
        "-googletest-${QUILLMERE_WINDOWS_GOOGLETEST_VERSION}")
endif()

# Headers and libraries for Windows only from the mingw-w64 folder and ours,
# never the build machine's; programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${QUILLMERE_WINDOWS_DEPS_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The C and C++ runtimes and winpthread linked in, so that a program imports
# only Windows' own DLLs and runs from any folder.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# CTest runs each test program through Wine, in a Wine prefix of the build
# folder's own.
get_filename_component(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/tools/with-wine.sh
    ABSOLUTE)

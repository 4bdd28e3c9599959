# Debian's hardening flags, as `dpkg-buildflags` gives them with every
# hardening feature on: _FORTIFY_SOURCE (checked variants of the string and
# stdio calls), the stack protector, a read-only relocation table bound at
# start-up (relro, bindnow) and, from the compiler's default, a
# position-independent program. The .deb is made from this build, and
# programs in Debian are built so; lintian checks the binary for them.
#
# Not on sanitizer or fuzzer builds, whose instrumentation replaces the same
# calls (_FORTIFY_SOURCE does not mix with AddressSanitizer), and only on
# optimised builds: the fortified calls need optimisation, and glibc warns on
# every file without it. The build type keeps choosing the optimisation
# level and debug information (-O3 in Release, where the performance figures
# were measured), so dpkg's -O2 and -g are left out. The flags are appended
# to the project's own options (-Wall -Wextra -ffp-contract=off), none of
# which they undo.
if(QUILLMERE_SANITIZE OR QUILLMERE_FUZZ
   OR NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
    return()
endif()
find_program(DPKG_BUILDFLAGS_EXECUTABLE dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS_EXECUTABLE)
    message(STATUS "dpkg-buildflags not found: building without Debian's hardening flags")
    return()
endif()

# From the source folder, so that -ffile-prefix-map writes source paths
# relative to it into the program, and the same sources give the same bytes
# wherever they are built.
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${DPKG_BUILDFLAGS_EXECUTABLE} --get ${kind}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE deb_${kind}
        OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(deb_${kind} UNIX_COMMAND "${deb_${kind}}")
endforeach()
list(FILTER deb_CXXFLAGS EXCLUDE REGEX "^-(O.*|g)$")

add_compile_options(${deb_CPPFLAGS} ${deb_CXXFLAGS})
add_link_options(${deb_LDFLAGS})
string(JOIN " " deb_flags ${deb_CPPFLAGS} ${deb_CXXFLAGS} ${deb_LDFLAGS})
message(STATUS "Debian hardening flags: ${deb_flags}")

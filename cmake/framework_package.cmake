# The framework as a library for other programs: the public headers under
# include/quillmere/, the two static libraries, a CMake package
# (find_package(QuillmereFramework) gives Quillmere::framework and
# Quillmere::glut) and pkg-config files (quillmere-framework, quillmere-glut).
#
# All of it is in the install component "development", which is left out of a
# plain `cmake --install` (EXCLUDE_FROM_ALL): that still installs the program
# alone. `cmake --install build --component development` installs the
# library, and CPack makes the package libquillmere-dev of it.
include(CMakePackageConfigHelpers)

set(quillmere_dev_component COMPONENT development EXCLUDE_FROM_ALL)
set(quillmere_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/QuillmereFramework)

include(${CMAKE_CURRENT_LIST_DIR}/public_headers.cmake)
# One folder for both, so that the headers' own includes ("app.h") resolve
# beside them, and consumers name them <quillmere/app.h>.
install(FILES ${quillmere_public_headers}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillmere ${quillmere_dev_component})

set_target_properties(quillmere_framework PROPERTIES EXPORT_NAME framework)
set_target_properties(quillmere_glut PROPERTIES EXPORT_NAME glut)
install(TARGETS quillmere_framework quillmere_glut EXPORT QuillmereFrameworkTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} ${quillmere_dev_component}
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# Stripped when installed stripped (as CPack does), as dh_strip strips static
# libraries: of debugging information and of the compilers' version notes
# (.comment), keeping the archives free of time stamps.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP AND NOT \"${EMSCRIPTEN}\")
        foreach(library quillmere_framework quillmere_glut)
            execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --strip-debug --remove-section=.comment
                --enable-deterministic-archives
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/lib\${library}.a\"
                COMMAND_ERROR_IS_FATAL ANY)
        endforeach()
    endif()" ${quillmere_dev_component})
# Paths in the installed files are relative to where the package lies, so the
# prefix can be chosen at install time.
install(EXPORT QuillmereFrameworkTargets NAMESPACE Quillmere::
    DESTINATION ${quillmere_cmake_dir} ${quillmere_dev_component})

# Where the libraries beneath the host come from differs by platform: the
# system's on Linux; on Windows, freeglut travels with the framework.
if(WIN32)
    set(quillmere_platform win32)
    set(quillmere_pc_requires "")
    set(quillmere_pc_cflags " -DFREEGLUT_STATIC")
    set(quillmere_pc_libs "-lfreeglut_static -lopengl32 -lwinmm -lgdi32 -ldinput -ldxguid")
    set(freeglut ${QUILLMERE_WINDOWS_DEPS_PREFIX})
    install(FILES ${freeglut}/lib/libfreeglut_static.a
        DESTINATION ${CMAKE_INSTALL_LIBDIR} ${quillmere_dev_component})
    install(DIRECTORY ${freeglut}/lib/cmake/FreeGLUT
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake ${quillmere_dev_component})
    install(DIRECTORY ${freeglut}/include/GL
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} ${quillmere_dev_component})
    install(FILES ${freeglut}/share/doc/freeglut/COPYING
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/freeglut ${quillmere_dev_component})
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillmere-framework ${quillmere_dev_component})
elseif(EMSCRIPTEN)
    # In a browser the host runs on the web platform's own GLUT: its header,
    # for programs that call GLUT themselves, and the page's side of it,
    # which linking Quillmere::glut passes to emcc.
    set(quillmere_platform web)
    set(quillmere_pc_requires "")
    set(quillmere_pc_cflags " -I\${includedir}/quillmere/web")
    set(quillmere_pc_libs "--js-library \${prefix}/${CMAKE_INSTALL_DATADIR}/quillmere-framework/glut_web.js -sLEGACY_GL_EMULATION=1")
    install(FILES ${PROJECT_SOURCE_DIR}/glut/platform/web/include/GL/freeglut.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillmere/web/GL ${quillmere_dev_component})
    install(FILES ${PROJECT_SOURCE_DIR}/glut/platform/web/glut_web.js
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quillmere-framework ${quillmere_dev_component})
    install(FILES ${PROJECT_SOURCE_DIR}/glut/platform/web/page/index.html.in
        ${PROJECT_SOURCE_DIR}/glut/platform/web/page/page.js
        ${PROJECT_SOURCE_DIR}/glut/platform/web/page/page.css
        ${PROJECT_SOURCE_DIR}/glut/platform/web/page/web_page.cmake
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quillmere-framework/page ${quillmere_dev_component})
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillmere-framework ${quillmere_dev_component})
else()
    set(quillmere_platform x11)
    set(quillmere_pc_requires ", glut, opengl, glx, x11")
    set(quillmere_pc_cflags "")
    set(quillmere_pc_libs "-ldl")
    # The copyright file and the changelog that every Debian package carries
    # in its own documentation folder (made in data/).
    install(FILES ${PROJECT_BINARY_DIR}/data/copyright ${PROJECT_BINARY_DIR}/data/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/libquillmere-dev ${quillmere_dev_component})
endif()
install(FILES cmake/QuillmereFrameworkDependencies-${quillmere_platform}.cmake
    DESTINATION ${quillmere_cmake_dir} RENAME QuillmereFrameworkDependencies.cmake
    ${quillmere_dev_component})

configure_package_config_file(cmake/QuillmereFrameworkConfig.cmake.in
    QuillmereFrameworkConfig.cmake INSTALL_DESTINATION ${quillmere_cmake_dir})
# 0.x releases keep the API within a major version, as 1.x and later will.
write_basic_package_version_file(QuillmereFrameworkConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES
    ${PROJECT_BINARY_DIR}/QuillmereFrameworkConfig.cmake
    ${PROJECT_BINARY_DIR}/QuillmereFrameworkConfigVersion.cmake
    DESTINATION ${quillmere_cmake_dir} ${quillmere_dev_component})

# pkg-config files that find the prefix from where they lie (${pcfiledir}):
# one ".." for each folder of LIBDIR/pkgconfig.
file(RELATIVE_PATH quillmere_pc_up /any/${CMAKE_INSTALL_LIBDIR}/pkgconfig /any)
string(REGEX REPLACE "/$" "" quillmere_pc_up ${quillmere_pc_up})
set(quillmere_pc_prefix "\${pcfiledir}/${quillmere_pc_up}")
foreach(pc quillmere-framework quillmere-glut)
    configure_file(cmake/${pc}.pc.in ${pc}.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig ${quillmere_dev_component})
endforeach()

# The Windows release, made by `cpack --preset windows` in build-windows/:
#   Quillmere-VERSION-win64.exe      the installer (NSIS) of the program
#                                    component, for all users of the machine
#   Quillmere-VERSION-win64.zip      the program component, to run from the
#                                    folder it is unpacked into
#   Quillmere-SDK-VERSION-win64.zip  the development component, the framework
#                                    for building other programs
# Each zip holds one folder named after it. The installer comes from our own
# NSIS.template.in (cmake/windows/), which CPack finds on CMAKE_MODULE_PATH
# before CMake's: it makes a 64-bit installer, writes the uninstall key's
# values that Windows reads, and nothing more.
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Quillmere)
# Nothing is stripped here: the program is stripped as it is linked
# (program/windows/windows.cmake), since strip would stamp the time into it.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/windows)

# Components: the installer's are chosen per generator in the project config
# file, which CPack reads once for each generator.
set(CPACK_COMPONENTS_ALL program development)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/windows/cpack_project_config.cmake)

# The zips, one of each component.
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/windows/cpack_zip_folders.cmake)
find_program(QUILLMERE_ZIP zip REQUIRED)
set(CPACK_QUILLMERE_ZIP ${QUILLMERE_ZIP})
# The packages' files dated by the release, not by the build.
set(CPACK_QUILLMERE_RELEASE_DATE ${QUILLMERE_RELEASE_DATE})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/windows/cpack_file_dates.cmake)
set(CPACK_ARCHIVE_PROGRAM_FILE_NAME Quillmere-${PROJECT_VERSION}-win64)
set(CPACK_ARCHIVE_DEVELOPMENT_FILE_NAME Quillmere-SDK-${PROJECT_VERSION}-win64)

# The installer: C:\Program Files\Quillmere, a shortcut "Quillmere" in the
# Start menu, and the key Uninstall\Quillmere that Apps & features lists.
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quillmere)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quillmere)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME Quillmere)
set(CPACK_NSIS_DISPLAY_NAME Quillmere)
set(CPACK_NSIS_INSTALLED_ICON_NAME quillmere.exe)
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/program/quillmere.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_BINARY_DIR}/program/quillmere.ico)
# An installed Quillmere, of this version or another, is uninstalled first,
# so that files of the old version that the new one lacks go too.
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)

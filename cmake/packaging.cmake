# The packages that people install, made by CPack: on Linux the Debian
# packages (cmake/packaging_debian.cmake), on Windows the installer and the
# zips (cmake/packaging_windows.cmake), for the web the site's zip
# (cmake/packaging_web.cmake). What all of them say of the project is here.
set(CPACK_PACKAGE_VENDOR "The Quillmere developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL https://github.com/quillmere/quillmere)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/packaging_windows.cmake)
elseif(EMSCRIPTEN)
    include(${CMAKE_CURRENT_LIST_DIR}/packaging_web.cmake)
else()
    include(${CMAKE_CURRENT_LIST_DIR}/packaging_debian.cmake)
endif()

include(CPack)

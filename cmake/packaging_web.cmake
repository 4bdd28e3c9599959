# The web release, made by `cpack --preset web` in build-web/:
#   Quillmere-VERSION-web.zip  the site, in one folder named after the zip,
#                              ready to put on a static web host
# The framework's example is the framework's, not the program's, and stays
# out of it.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Quillmere)
set(CPACK_PACKAGE_FILE_NAME Quillmere-${PROJECT_VERSION}-web)
set(CPACK_COMPONENTS_ALL program)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
install(DIRECTORY ${QUILLMERE_SITE_DIR}/ DESTINATION . COMPONENT program
    PATTERN examples EXCLUDE)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . COMPONENT program)

# Run by CPack between staging the files and packing them
# (CPACK_PRE_BUILD_SCRIPTS): every staged file and folder gets the same date,
# the release date of this version or SOURCE_DATE_EPOCH when set, instead of
# the time it was built. The installer and the zips store these dates, so the
# same sources make the same packages.
# The date, for cpack_zip_folders.cmake too.
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(CPACK_QUILLMERE_FILE_DATE "@$ENV{SOURCE_DATE_EPOCH}")
else()
    set(CPACK_QUILLMERE_FILE_DATE "${CPACK_QUILLMERE_RELEASE_DATE} 00:00 UTC")
endif()
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
if(staged)
    execute_process(COMMAND touch --no-dereference --date=${CPACK_QUILLMERE_FILE_DATE} ${staged}
        COMMAND_ERROR_IS_FATAL ANY)
endif()

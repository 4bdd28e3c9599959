# Run by CPack after it made the packages (CPACK_POST_BUILD_SCRIPTS): each
# zip is packed again with one folder named after it, as a portable Windows
# program or an SDK is unpacked: Quillmere-0.1-win64.zip holds
# Quillmere-0.1-win64/, Quillmere-SDK-0.1-win64.zip Quillmere-SDK-0.1-win64/.
# (CPack names the folder of every component's zip after the package, one
# name for all.)
#
# Info-ZIP's zip packs them, in name order, with the date the files were
# staged with (cpack_file_dates.cmake) and nothing else of theirs (-X: no
# owner, no times but the DOS one, which is written in UTC): CPack's own zip
# writer records when each file was last changed and read, so that no two
# runs made the same zip.
if(NOT CPACK_GENERATOR STREQUAL "ZIP")
    return()
endif()
foreach(zip IN LISTS CPACK_PACKAGE_FILES)
    get_filename_component(name ${zip} NAME_WLE)
    get_filename_component(folder ${zip} DIRECTORY)
    set(work ${folder}/${name}.unpacked)
    file(REMOVE_RECURSE ${work})
    file(ARCHIVE_EXTRACT INPUT ${zip} DESTINATION ${work}/${name})
    file(GLOB_RECURSE files RELATIVE ${work} ${work}/${name}/*)
    execute_process(COMMAND touch --no-dereference --date=${CPACK_QUILLMERE_FILE_DATE} ${files}
        WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE ${zip})
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC
            ${CPACK_QUILLMERE_ZIP} -q -X -D -9 ${zip} ${files}
        WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${work})
endforeach()

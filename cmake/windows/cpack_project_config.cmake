# Read by CPack once for each generator (CPACK_PROJECT_CONFIG_FILE): the
# installer holds the program component alone, as one tree; the ZIP generator
# makes a zip of each component in CPACK_COMPONENTS_ALL.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_COMPONENTS_ALL program)
    set(CPACK_MONOLITHIC_INSTALL ON)
endif()

# What quillmere.exe carries on Windows: the icon at 16 to 256 pixels, made at
# build time from the same SVG as the Linux icon (rsvg-convert renders each
# size, ImageMagick packs them), the manifest that declares per-monitor DPI
# awareness and asks for common controls 6, and the file details.
find_program(QUILLMERE_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(QUILLMERE_CONVERT convert REQUIRED)
set(icon_svg ${PROJECT_SOURCE_DIR}/data/io.github.quillmere.Quillmere.svg)
set(icon_pngs)
foreach(size 16 20 24 32 40 48 64 128 256)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icon-${size}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${QUILLMERE_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${icon_svg}
        DEPENDS ${icon_svg} VERBATIM)
    list(APPEND icon_pngs ${png})
endforeach()
set(QUILLMERE_ICO ${CMAKE_CURRENT_BINARY_DIR}/quillmere.ico)
add_custom_command(OUTPUT ${QUILLMERE_ICO}
    COMMAND ${QUILLMERE_CONVERT} ${icon_pngs} ${QUILLMERE_ICO}
    DEPENDS ${icon_pngs} VERBATIM)
set(QUILLMERE_MANIFEST ${CMAKE_CURRENT_SOURCE_DIR}/windows/quillmere.manifest)
configure_file(windows/quillmere.rc.in ${CMAKE_CURRENT_BINARY_DIR}/quillmere.rc @ONLY)
target_sources(quillmere PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/quillmere.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/quillmere.rc PROPERTIES
    OBJECT_DEPENDS "${QUILLMERE_ICO};${QUILLMERE_MANIFEST}")

# Installed as Windows programs are: one folder (C:\Program Files\Quillmere
# from the installer, or wherever the portable zip is unpacked) holding
# quillmere.exe, its licence and a README, which Notepad shows best with
# Windows' line ends.
# Stripped as it is linked, not as it is installed: strip stamps the time it
# ran into a Windows program's header (as ld would, were it not told not to
# in the top-level CMakeLists.txt), so the program that the packages hold is
# this one, byte for byte.
target_link_options(quillmere PRIVATE -s)
install(TARGETS quillmere RUNTIME DESTINATION .)
configure_file(windows/README.txt.in ${CMAKE_CURRENT_BINARY_DIR}/README.txt @ONLY
    NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)

# What linking Quillmere::glut brings in a browser: the web platform's GLUT,
# in the libraries themselves, and its page side and GL emulation, in their
# link options. Nothing is found; the libraries are emscripten's, for
# emscripten's toolchain alone.
if(NOT EMSCRIPTEN)
    set(QuillmereFramework_FOUND FALSE)
    set(QuillmereFramework_NOT_FOUND_MESSAGE
        "this is the framework built for the web: configure with emscripten's toolchain (emcmake cmake)")
    return()
endif()

include(${PACKAGE_PREFIX_DIR}/share/quillmere-framework/page/web_page.cmake)

# quillmere_add_web_page(TARGET TITLE): the page that runs TARGET, written
# beside its .js and .wasm (index.html, page.js, page.css): a canvas that
# fills the browser's window, and the address's query as the command line.
function(quillmere_add_web_page target title)
    get_target_property(folder ${target} RUNTIME_OUTPUT_DIRECTORY)
    if(NOT folder)
        set(folder ${CMAKE_CURRENT_BINARY_DIR})
    endif()
    quillmere_web_page(${folder} "${title}" ${target}.js "" "")
endfunction()

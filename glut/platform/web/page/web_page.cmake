# quillmere_web_page(FOLDER TITLE SCRIPT HEAD CONTROLS): the page that runs a
# program in a browser, written to FOLDER: index.html, titled TITLE, loading
# SCRIPT (the program's .js), with HEAD (HTML) in its head and CONTROLS
# (HTML) below the canvas, and the page's script and style beside it. The
# templates lie beside this file, in the source tree as where the framework
# is installed.
set(QUILLMERE_WEB_PAGE_TEMPLATES ${CMAKE_CURRENT_LIST_DIR})

function(quillmere_web_page folder title script head controls)
    set(PAGE_TITLE ${title})
    set(PAGE_SCRIPT ${script})
    set(PAGE_HEAD ${head})
    set(PAGE_CONTROLS ${controls})
    configure_file(${QUILLMERE_WEB_PAGE_TEMPLATES}/index.html.in ${folder}/index.html @ONLY)
    configure_file(${QUILLMERE_WEB_PAGE_TEMPLATES}/page.js ${folder}/page.js COPYONLY)
    configure_file(${QUILLMERE_WEB_PAGE_TEMPLATES}/page.css ${folder}/page.css COPYONLY)
endfunction()

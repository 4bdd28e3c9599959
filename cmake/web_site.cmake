# The web build's site: build-web/site/ is a static folder that any web server
# can serve as it is, from any folder (every path in it is relative). It
# holds the program's page (index.html, the page's script and style,
# quillmere.js and quillmere.wasm), what makes it an installable app that
# works offline (the manifest, its icons made from the SVG icon, the service
# worker), and under examples/menu-demo/ the framework's example on a page of
# its own.
set(QUILLMERE_SITE_DIR ${CMAKE_BINARY_DIR}/site)
set(quillmere_page_dir ${PROJECT_SOURCE_DIR}/glut/platform/web/page)
include(${quillmere_page_dir}/web_page.cmake)

# Optimised for size as much as for speed: the page is downloaded each visit.
# No closure compiler: Debian's emscripten does not package one.
set(quillmere_web_link_options -O2)

# Any key clears the canvases; where there is no keyboard, a button types one.
quillmere_web_page(${QUILLMERE_SITE_DIR} Quillmere quillmere.js
    [[<link rel="icon" href="quillmere.svg">
<link rel="manifest" href="quillmere.webmanifest">
<link rel="apple-touch-icon" href="icons/quillmere-180.png">
<meta name="theme-color" content="#ffffff">]]
    [[<nav id="controls"><button type="button" data-key=" ">Clear</button></nav>]])
configure_file(${PROJECT_SOURCE_DIR}/data/io.github.quillmere.Quillmere.svg
    ${QUILLMERE_SITE_DIR}/quillmere.svg COPYONLY)
set_target_properties(quillmere PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QUILLMERE_SITE_DIR})
target_link_options(quillmere PRIVATE ${quillmere_web_link_options})

# The example is built from its own sources as a program on the framework
# would be: it names the public headers <quillmere/...>, copied here.
include(${CMAKE_CURRENT_LIST_DIR}/public_headers.cmake)
foreach(header ${quillmere_public_headers})
    get_filename_component(name ${header} NAME)
    configure_file(${header} ${CMAKE_BINARY_DIR}/include/quillmere/${name} COPYONLY)
endforeach()
set(demo_dir ${PROJECT_SOURCE_DIR}/examples/menu_demo)
set(demo_site ${QUILLMERE_SITE_DIR}/examples/menu-demo)
add_executable(menu_demo ${demo_dir}/main.cpp ${demo_dir}/square_mode.cpp ${demo_dir}/move_mode.cpp)
target_include_directories(menu_demo PRIVATE ${CMAKE_BINARY_DIR}/include)
target_link_libraries(menu_demo PRIVATE quillmere_glut)
target_link_options(menu_demo PRIVATE ${quillmere_web_link_options})
set_target_properties(menu_demo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${demo_site})
quillmere_web_page(${demo_site} "Menu demo" menu_demo.js
    [[<link rel="icon" href="../../quillmere.svg">]] "")

# The app: the manifest, its icons at the sizes browsers ask for (192 and 512
# for the manifest, 180 for iOS's home screen), and the service worker, made
# last from the files it caches.
find_program(QUILLMERE_RSVG_CONVERT rsvg-convert REQUIRED)
configure_file(${quillmere_page_dir}/quillmere.webmanifest ${QUILLMERE_SITE_DIR}/quillmere.webmanifest COPYONLY)
set(quillmere_site_files ./ index.html page.js page.css quillmere.js quillmere.wasm quillmere.svg
    quillmere.webmanifest)
set(quillmere_icons)
foreach(size 180 192 512)
    set(icon ${QUILLMERE_SITE_DIR}/icons/quillmere-${size}.png)
    add_custom_command(OUTPUT ${icon}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLMERE_SITE_DIR}/icons
        COMMAND ${QUILLMERE_RSVG_CONVERT} -w ${size} -h ${size}
            -o ${icon} ${PROJECT_SOURCE_DIR}/data/io.github.quillmere.Quillmere.svg
        DEPENDS ${PROJECT_SOURCE_DIR}/data/io.github.quillmere.Quillmere.svg
        COMMENT "Drawing the ${size}-pixel icon")
    list(APPEND quillmere_icons ${icon})
    list(APPEND quillmere_site_files icons/quillmere-${size}.png)
endforeach()
list(JOIN quillmere_site_files "|" files)
add_custom_command(OUTPUT ${QUILLMERE_SITE_DIR}/service-worker.js
    COMMAND ${CMAKE_COMMAND} -DSITE=${QUILLMERE_SITE_DIR}
        -DTEMPLATE=${quillmere_page_dir}/service-worker.js.in -DFILES=${files}
        -P ${PROJECT_SOURCE_DIR}/cmake/web_service_worker.cmake
    DEPENDS quillmere ${quillmere_icons} ${quillmere_page_dir}/service-worker.js.in
        ${PROJECT_SOURCE_DIR}/cmake/web_service_worker.cmake
        ${QUILLMERE_SITE_DIR}/index.html ${QUILLMERE_SITE_DIR}/page.js
        ${QUILLMERE_SITE_DIR}/page.css ${QUILLMERE_SITE_DIR}/quillmere.webmanifest
    COMMENT "Writing the service worker" VERBATIM)
add_custom_target(quillmere_web_app ALL DEPENDS ${QUILLMERE_SITE_DIR}/service-worker.js)

# Writes the site's service worker (cmake -P): the template with the files it
# caches and a cache name made from their contents, so that every release
# with other files gets a cache of its own.
#   -DSITE=<site folder> -DTEMPLATE=<service-worker.js.in> -DFILES=<a|b|...>
string(REPLACE "|" ";" files "${FILES}")
set(hashes "")
set(quoted "")
foreach(file ${files})
    if(file STREQUAL "./")
        set(path ${SITE}/index.html)
    else()
        set(path ${SITE}/${file})
    endif()
    file(SHA256 ${path} hash)
    string(APPEND hashes "${file} ${hash}\n")
    list(APPEND quoted "'${file}'")
endforeach()
string(SHA256 SITE_HASH "${hashes}")
string(SUBSTRING ${SITE_HASH} 0 16 SITE_HASH)
list(JOIN quoted ", " SITE_FILES)
configure_file(${TEMPLATE} ${SITE}/service-worker.js @ONLY)

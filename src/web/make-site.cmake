# cmake -DSOURCE=dir -DWASM=file -DSTRIP=tiles.bmp -DOUTPUT=dir -P make-site.cmake
# Puts the site together: the page's files, the module, an icon made from the bird of the
# strip, and the service worker with the list of files and a cache name from their contents.
set(files index.html velkorin.css velkorin.js module.js practice.js manifest.webmanifest)
file(REMOVE_RECURSE "${OUTPUT}")
file(MAKE_DIRECTORY "${OUTPUT}")
foreach(f IN LISTS files)
  file(COPY_FILE "${SOURCE}/${f}" "${OUTPUT}/${f}")
endforeach()
file(COPY_FILE "${WASM}" "${OUTPUT}/velkorin.wasm")
execute_process(
  COMMAND convert "${STRIP}" -crop 32x48+0+0 +repage -filter point -resize 300%
          -background black -gravity center -extent 192x192 -strip "${OUTPUT}/icon.png"
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not make the icon from ${STRIP}")
endif()
list(APPEND files velkorin.wasm icon.png)

set(contents "")
set(listed "'./'")
foreach(f IN LISTS files)
  file(SHA256 "${OUTPUT}/${f}" sum)
  string(APPEND contents "${sum}")
  string(APPEND listed ", '${f}'")
endforeach()
string(SHA256 SITE_HASH "${contents}")
string(SUBSTRING "${SITE_HASH}" 0 16 SITE_HASH)
set(SITE_FILES "${listed}")
configure_file("${SOURCE}/sw.js.in" "${OUTPUT}/sw.js" @ONLY)

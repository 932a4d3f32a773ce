# Assembles the web page's site from its built files: each file the page
# or the manifest loads named by what it holds (page.<digest>.js), so that
# a page and the files it names always belong together, and any cache may
# keep them; the page, the manifest and the service worker keep their names
# and say which files they name. The service worker knows every file's
# SHA-256. Text and the .wasm get gzip and Brotli copies beside them.
#   cmake -DSITE=dir -DPAGE=index.html -DMANIFEST=m.webmanifest
#     -DSTYLE="page.css;form.css" -DNAMED="page.js;..." -DPLAIN="LICENSE.txt;..."
#     -DTEMPLATE=sw.js.in -DGZIP=gzip -DBROTLI=brotli -P MakeSite.cmake
file(REMOVE_RECURSE ${SITE})
file(MAKE_DIRECTORY ${SITE})

# One style sheet: the page's own, then the places page_maker wrote.
set(style "")
foreach(part IN LISTS STYLE)
  file(READ ${part} text)
  string(APPEND style "${text}")
endforeach()
list(GET STYLE 0 first)
get_filename_component(style_name ${first} NAME)
set(staged ${SITE}/.staged)
file(MAKE_DIRECTORY ${staged})
file(WRITE ${staged}/${style_name} "${style}")

list(APPEND NAMED ${staged}/${style_name})

file(READ ${PAGE} page)
file(READ ${MANIFEST} manifest)
set(digests "")
foreach(source IN LISTS NAMED)
  get_filename_component(name ${source} NAME)
  file(SHA256 ${source} digest)
  string(SUBSTRING ${digest} 0 16 short)
  string(REGEX REPLACE "^([^.]+)\\.(.+)$" "\\1.${short}.\\2" named ${name})
  file(COPY_FILE ${source} ${SITE}/${named})
  string(REPLACE "\"${name}\"" "\"${named}\"" page "${page}")
  string(REPLACE "\"${name}\"" "\"${named}\"" manifest "${manifest}")
  string(APPEND digests ",\n  '${named}': '${digest}'")
endforeach()
file(REMOVE_RECURSE ${staged})
file(WRITE ${SITE}/index.html "${page}")
file(WRITE ${SITE}/manifest.webmanifest "${manifest}")
file(SHA256 ${SITE}/index.html page_digest)
file(SHA256 ${SITE}/manifest.webmanifest manifest_digest)
set(TASA_SITE_FILES "  './': '${page_digest}',\n  'index.html': '${page_digest}',\n  \
'manifest.webmanifest': '${manifest_digest}'${digests}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)

foreach(source IN LISTS PLAIN)
  get_filename_component(name ${source} NAME)
  file(COPY_FILE ${source} ${SITE}/${name})
endforeach()

# The same bytes from the same files: gzip without a name or a time; Brotli
# keeps neither.
file(GLOB texts RELATIVE ${SITE} ${SITE}/*)
foreach(name IN LISTS texts)
  if(name MATCHES "\\.(html|css|js|wasm|webmanifest|svg|txt)$")
    execute_process(COMMAND ${GZIP} -9 -n -c ${SITE}/${name}
      OUTPUT_FILE ${SITE}/${name}.gz COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${BROTLI} -q 11 -c ${SITE}/${name}
      OUTPUT_FILE ${SITE}/${name}.br COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()

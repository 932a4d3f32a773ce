# Writes the service worker of the web page from its template: the files it
# keeps, and a cache name that changes with what they hold.
#   cmake -DSITE=dir -DFILES="a;b" -DTEMPLATE=sw.js.in -P MakeServiceWorker.cmake
set(hashes "")
set(TASA_SITE_FILES "'./'")
foreach(file IN LISTS FILES)
  file(SHA256 ${SITE}/${file} hash)
  string(APPEND hashes ${hash})
  string(APPEND TASA_SITE_FILES ", '${file}'")
endforeach()
string(SHA256 TASA_SITE_HASH "${hashes}")
string(SUBSTRING ${TASA_SITE_HASH} 0 16 TASA_SITE_HASH)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)

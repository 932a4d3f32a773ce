# The core in WebAssembly, with Debian's emscripten; its programs run here
# under node. Emscripten 3.1.6's loader needs node's fetch switched off
# from node 18 on. C++ exceptions are WebAssembly's own (Chrome 95, node 17
# and later): smaller and three times quicker than emscripten's emulation
# of them in JavaScript; asked for at compile and at link time alike.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
find_program(TASA_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TASA_NODE} --no-experimental-fetch
  CACHE STRING "" FORCE)
set(CMAKE_CXX_FLAGS_INIT "-fwasm-exceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT
  "-fwasm-exceptions -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1 -sNODERAWFS=1")
# emcc's own tools run under node and find Debian's acorn only there.
set(CMAKE_CXX_COMPILER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)

# The JavaScript package `velunta` (js/): VELUNTA_BUILD_JS defaults to ON where Debian's
# Emscripten (em++ and its CMake toolchain file) and Node are found. Inside the Emscripten build
# that js/ starts, the option is passed ON and means "build the WebAssembly module".
if(EMSCRIPTEN)
  option(VELUNTA_BUILD_JS "Build the WebAssembly module of the JavaScript package" ON)
  return()
endif()
find_program(VELUNTA_EMXX em++)
find_program(VELUNTA_NODE node)
find_file(VELUNTA_EMSCRIPTEN_TOOLCHAIN Emscripten.cmake
  PATHS /usr/share/emscripten/cmake/Modules/Platform NO_DEFAULT_PATH)
set(velunta_js_default OFF)
if(PROJECT_IS_TOP_LEVEL AND VELUNTA_EMXX AND VELUNTA_NODE AND VELUNTA_EMSCRIPTEN_TOOLCHAIN)
  set(velunta_js_default ON)
endif()
option(VELUNTA_BUILD_JS "Build the npm package velunta (Debian's emscripten and nodejs)"
       ${velunta_js_default})
if(VELUNTA_BUILD_JS AND NOT (VELUNTA_EMXX AND VELUNTA_NODE AND VELUNTA_EMSCRIPTEN_TOOLCHAIN))
  message(FATAL_ERROR "VELUNTA_BUILD_JS needs Emscripten and Node (Debian: emscripten nodejs); "
                      "configure with -DVELUNTA_BUILD_JS=OFF to build without the npm package")
endif()

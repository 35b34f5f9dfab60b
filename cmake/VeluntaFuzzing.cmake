# Fuzzing: with VELUNTA_BUILD_FUZZERS (clang only, the `fuzz` preset) every library is built
# with coverage instrumentation and the sanitizers, and each fuzz/<name>/<name>.cpp becomes the
# libFuzzer program fuzz_<name>. With the tests on, each target's function is also linked with a
# small GoogleTest driver that replays fuzz/<name>/corpus and fuzz/<name>/regressions, so every
# kept input runs in the ordinary test suite with any compiler.
option(VELUNTA_BUILD_FUZZERS "Build the libFuzzer targets (clang)" OFF)

if(VELUNTA_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VELUNTA_BUILD_FUZZERS needs clang (libFuzzer); use the fuzz preset")
  endif()
  target_compile_options(velunta_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(velunta_options INTERFACE -fsanitize=address,undefined)
endif()

# velunta_add_fuzz_target(<name> LIBS ...): fuzz/<name>/<name>.cpp as a libFuzzer program and
# as a replay test.
function(velunta_add_fuzz_target name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  set(source ${CMAKE_CURRENT_SOURCE_DIR}/${name}/${name}.cpp)
  if(VELUNTA_BUILD_FUZZERS)
    add_executable(fuzz_${name} ${source})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(fuzz_${name} PRIVATE ${ARG_LIBS} velunta::options)
  endif()
  if(VELUNTA_BUILD_TESTS)
    velunta_add_test(fuzz_${name}_replay
      SOURCES ${source} ${CMAKE_CURRENT_SOURCE_DIR}/common/replay_test.cpp
      LIBS ${ARG_LIBS})
    target_compile_definitions(fuzz_${name}_replay PRIVATE
      VELUNTA_FUZZ_TARGET=${name}
      VELUNTA_FUZZ_TARGET_DIR="${CMAKE_CURRENT_SOURCE_DIR}/${name}")
  endif()
endfunction()

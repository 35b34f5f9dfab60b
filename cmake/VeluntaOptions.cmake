# Compiler settings shared by every target of the project.
add_library(velunta_options INTERFACE)
add_library(velunta::options ALIAS velunta_options)
target_compile_features(velunta_options INTERFACE cxx_std_20)
target_compile_options(velunta_options INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow>
  $<$<AND:$<CXX_COMPILER_ID:GNU,Clang>,$<BOOL:${VELUNTA_WARNINGS_AS_ERRORS}>>:-Werror>
  # The equinox arithmetic must round each product and sum separately.
  $<$<CXX_COMPILER_ID:GNU,Clang>:-ffp-contract=off>)
if(VELUNTA_SANITIZE)
  target_compile_options(velunta_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(velunta_options INTERFACE -fsanitize=address,undefined)
endif()

# velunta_add_library(<name> SOURCES ... [DEPS ...]): a library with public headers in include/,
# exported as velunta::<name>.
function(velunta_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(velunta_${name} ${ARG_SOURCES})
  add_library(velunta::${name} ALIAS velunta_${name})
  set_target_properties(velunta_${name} PROPERTIES OUTPUT_NAME velunta_${name} EXPORT_NAME ${name})
  target_include_directories(velunta_${name} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_compile_features(velunta_${name} PUBLIC cxx_std_20)
  # Warnings and sanitizers are for this build only, never handed on to a consumer.
  target_link_libraries(velunta_${name} PUBLIC ${ARG_DEPS}
                        PRIVATE $<BUILD_INTERFACE:velunta_options> ${ARG_PRIVATE_DEPS})
  install(TARGETS velunta_${name} EXPORT veluntaTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
endfunction()

# velunta_add_checks(): the folder's tests/ and bench/, each when its option is on.
macro(velunta_add_checks)
  if(VELUNTA_BUILD_TESTS)
    add_subdirectory(tests)
  endif()
  if(VELUNTA_BUILD_BENCHMARKS AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/bench)
    add_subdirectory(bench)
  endif()
endmacro()

# Compiler settings shared by every target of the project.
include(GenerateExportHeader)
set(VELUNTA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/velunta)
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

# velunta_add_library(<name> SOURCES ... [DEPS ...] [PRIVATE_DEPS ...] [DEV_COMPONENT <c>]): a
# library with public headers in include/, exported as velunta::<name>. A shared build exports
# only what the headers mark VELUNTA_<NAME>_EXPORT (from <velunta/<name>_export.h>) and carries
# the project's version in its file name and SONAME. Installs into the package components
# lib_<name> (the shared library) and DEV_COMPONENT (headers, static library, CMake targets;
# "dev" unless given), with the CMake targets in velunta_<name>Targets.cmake so that a consumer
# loads only the components it asks for.
function(velunta_add_library name)
  cmake_parse_arguments(ARG "" "DEV_COMPONENT" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  if(NOT ARG_DEV_COMPONENT)
    set(ARG_DEV_COMPONENT dev)
  endif()
  add_library(velunta_${name} ${ARG_SOURCES})
  add_library(velunta::${name} ALIAS velunta_${name})
  set_target_properties(velunta_${name} PROPERTIES
    OUTPUT_NAME velunta_${name}
    EXPORT_NAME ${name}
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(VELUNTA_RELATIVE_RPATH)
    # A library finds its sibling libraries in its own folder.
    set_target_properties(velunta_${name} PROPERTIES INSTALL_RPATH "$ORIGIN")
  endif()
  string(TOUPPER ${name} upper)
  set(export_dir ${CMAKE_CURRENT_BINARY_DIR}/export)
  generate_export_header(velunta_${name} BASE_NAME velunta_${name}
    EXPORT_FILE_NAME ${export_dir}/velunta/${name}_export.h)
  if(NOT BUILD_SHARED_LIBS)
    # A static library exports nothing from a shared object of a consumer's.
    target_compile_definitions(velunta_${name} PUBLIC VELUNTA_${upper}_STATIC_DEFINE)
  endif()
  target_include_directories(velunta_${name} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
    $<BUILD_INTERFACE:${export_dir}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_compile_features(velunta_${name} PUBLIC cxx_std_20)
  # Warnings and sanitizers are for this build only, never handed on to a consumer.
  target_link_libraries(velunta_${name} PUBLIC ${ARG_DEPS}
                        PRIVATE $<BUILD_INTERFACE:velunta_options> ${ARG_PRIVATE_DEPS})
  install(TARGETS velunta_${name} EXPORT velunta_${name}Targets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT ${ARG_DEV_COMPONENT}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT lib_${name}
            NAMELINK_COMPONENT ${ARG_DEV_COMPONENT}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT lib_${name})
  install(DIRECTORY include/ ${export_dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
          COMPONENT ${ARG_DEV_COMPONENT})
  install(EXPORT velunta_${name}Targets NAMESPACE velunta::
          DESTINATION ${VELUNTA_CMAKE_DIR} COMPONENT ${ARG_DEV_COMPONENT})
endfunction()

# velunta_add_checks(): the folder's tests/ and bench/, each when its option is on. A bench/ with
# no CMakeLists.txt holds scripts run by hand (server/bench/load.sh), not built.
macro(velunta_add_checks)
  if(VELUNTA_BUILD_TESTS)
    add_subdirectory(tests)
  endif()
  if(VELUNTA_BUILD_BENCHMARKS AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/bench/CMakeLists.txt)
    add_subdirectory(bench)
  endif()
endmacro()

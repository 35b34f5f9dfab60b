# The CMake package that lets another project find_package(velunta CONFIG REQUIRED [COMPONENTS
# ...]) (each library's targets file is installed by velunta_add_library), and the pkg-config
# files velunta-runtime, velunta-holidays and velunta-calendar.
configure_package_config_file(cmake/veluntaConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/veluntaConfig.cmake
  INSTALL_DESTINATION ${VELUNTA_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/veluntaConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/veluntaConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/veluntaConfigVersion.cmake
        DESTINATION ${VELUNTA_CMAKE_DIR} COMPONENT dev)

# The .pc files find their prefix from their own place (${pcfiledir}), so that a tree installed
# with cmake --install --prefix anywhere is found as it is.
set(VELUNTA_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH VELUNTA_PC_TO_PREFIX /root/${VELUNTA_PKGCONFIG_DIR} /root)
string(REGEX REPLACE "/$" "" VELUNTA_PC_TO_PREFIX "${VELUNTA_PC_TO_PREFIX}")
# A static library hands its own dependencies on to the link; a shared one does not need to.
if(BUILD_SHARED_LIBS)
  set(VELUNTA_PC_REQUIRES Requires.private)
else()
  set(VELUNTA_PC_REQUIRES Requires)
endif()

function(velunta_pkgconfig name description requires)
  set(VELUNTA_PC_NAME ${name})
  set(VELUNTA_PC_DESCRIPTION "${description}")
  set(VELUNTA_PC_REQUIRES_LINE "")
  set(VELUNTA_PC_CFLAGS "")
  if(NOT BUILD_SHARED_LIBS)
    string(TOUPPER ${name} upper)
    set(VELUNTA_PC_CFLAGS " -DVELUNTA_${upper}_STATIC_DEFINE")
  endif()
  if(requires)
    set(VELUNTA_PC_REQUIRES_LINE "${VELUNTA_PC_REQUIRES}: ${requires}")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/cmake/velunta.pc.in
                 ${PROJECT_BINARY_DIR}/pkgconfig/velunta-${name}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/velunta-${name}.pc
          DESTINATION ${VELUNTA_PKGCONFIG_DIR} COMPONENT dev)
endfunction()

velunta_pkgconfig(runtime "Velunta's date and number texts typed by people" "")
velunta_pkgconfig(holidays "Velunta's holiday module Mdl_Velunta" "velunta-runtime = ${PROJECT_VERSION}")
velunta_pkgconfig(calendar "Velunta's calendar of the Japanese holiday law, equinoxes and business days" "")

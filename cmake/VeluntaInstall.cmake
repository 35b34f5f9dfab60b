# The CMake package that lets another project find_package(velunta CONFIG REQUIRED).
set(VELUNTA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/velunta)
install(EXPORT veluntaTargets NAMESPACE velunta:: DESTINATION ${VELUNTA_CMAKE_DIR})
configure_package_config_file(cmake/veluntaConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/veluntaConfig.cmake
  INSTALL_DESTINATION ${VELUNTA_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/veluntaConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/veluntaConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/veluntaConfigVersion.cmake
        DESTINATION ${VELUNTA_CMAKE_DIR})

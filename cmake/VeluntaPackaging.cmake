# Debian packages from this build (cpack -G DEB; scripts/package.sh runs it):
#   libvelunta-<lib>0       each shared library, named after its SONAME
#   libvelunta-dev          headers, CMake package, pkg-config files of runtime, holidays, calendar
#   libvelunta-window-dev   the window's header and CMake targets (needs Qt's development files)
#   velunta                 the command, its manual page and shell completions
#   velunta-data            the law file and the named business calendars (architecture all)
#   velunta-window          the window, its desktop entry, icon, AppStream data and manual page
#   python3-velunta         the Python module velunta, on the shared libraries
# Dependencies on other packages are computed by dpkg-shlibdeps; those between these packages
# come from the component dependencies below. Only a shared build makes library packages.
if(NOT BUILD_SHARED_LIBS)
  return()
endif()

set(VELUNTA_MAINTAINER "Velunta developers <velunta@example.org>"
    CACHE STRING "Maintainer field of the Debian packages")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velunta)
set(CPACK_PACKAGE_VENDOR "The Velunta developers")
set(CPACK_PACKAGE_CONTACT "${VELUNTA_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Each package's own summary is the first line of its description; no project-wide one before it.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
# A shlibs file for every library package. Each also gets an ldconfig trigger, which lintian
# asks for; CPack still writes its own ldconfig call into postinst and postrm (a lintian warning,
# maintscript-calls-ldconfig: the call is redundant, not wrong).
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# Control files get the modes policy asks for (0644), whatever the checkout's umask gave them.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(velunta_libraries runtime holidays calendar calendar_file records)
if(VELUNTA_BUILD_WINDOW)
  list(APPEND velunta_libraries window)
endif()

# dpkg-shlibdeps finds the project's own libraries in the build tree: the folder of every library
# packaged here, taken from the targets so that a new library cannot be missed.
foreach(lib IN LISTS velunta_libraries)
  get_target_property(dir velunta_${lib} BINARY_DIR)
  list(APPEND CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${dir})
endforeach()
list(REMOVE_DUPLICATES CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS)

# Every package carries its copyright and changelog in /usr/share/doc/<package>; a plain
# cmake --install leaves them out.
configure_file(cmake/debian/changelog.in ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
execute_process(COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/debian/changelog COMMAND_ERROR_IS_FATAL ANY)
function(velunta_package component package section summary description)
  string(TOUPPER ${component} c)
  set(CPACK_DEBIAN_${c}_PACKAGE_NAME ${package} PARENT_SCOPE)
  set(CPACK_DEBIAN_${c}_PACKAGE_SECTION ${section} PARENT_SCOPE)
  set(CPACK_DEBIAN_${c}_DESCRIPTION "${summary}\n${description}" PARENT_SCOPE)
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/copyright ${PROJECT_BINARY_DIR}/debian/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component}
          EXCLUDE_FROM_ALL)
endfunction()

set(about "Velunta tells, for any date, whether it is a day off in Japan and why.")
foreach(lib IN LISTS velunta_libraries)
  string(TOUPPER ${lib} L)
  string(REPLACE "_" "-" package_name ${lib})  # Debian names have no underscore
  velunta_package(lib_${lib} libvelunta-${package_name}${PROJECT_VERSION_MAJOR} libs
    "Velunta ${lib} library, Japanese holidays in C++"
    "${about}\nThis package holds the shared library velunta_${lib}.")
  set(CPACK_DEBIAN_LIB_${L}_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/cmake/debian/triggers)
endforeach()
set(CPACK_COMPONENT_LIB_HOLIDAYS_DEPENDS lib_runtime)
set(CPACK_COMPONENT_LIB_CALENDAR_FILE_DEPENDS lib_calendar)
set(CPACK_COMPONENT_LIB_RECORDS_DEPENDS lib_calendar lib_holidays lib_runtime)
set(CPACK_COMPONENT_LIB_WINDOW_DEPENDS lib_holidays lib_runtime)

velunta_package(dev libvelunta-dev libdevel
  "development files of the Velunta holiday libraries"
  "${about}\nHeaders, the CMake package (find_package(velunta COMPONENTS runtime holidays\ncalendar)) and the pkg-config files velunta-runtime, velunta-holidays and\nvelunta-calendar. None of them needs Qt.")
set(CPACK_COMPONENT_DEV_DEPENDS lib_runtime lib_holidays lib_calendar lib_calendar_file lib_records)

if(VELUNTA_BUILD_WINDOW)
  velunta_package(window_dev libvelunta-window-dev libdevel
    "development files of the Velunta Qt window"
    "${about}\nThe header of the window Form1 and the CMake component window of the\npackage velunta.")
  set(CPACK_COMPONENT_WINDOW_DEV_DEPENDS dev lib_window)
  set(CPACK_DEBIAN_WINDOW_DEV_PACKAGE_DEPENDS qt6-base-dev)

  velunta_package(window velunta-window x11
    "window that tells whether a date is a day off in Japan"
    "${about}\nA small Japanese Qt window: the equinox days of a year, whether a date is a\nholiday, and the days off of a year.")
  set(CPACK_COMPONENT_WINDOW_DEPENDS lib_window)
  set(CPACK_DEBIAN_WINDOW_PACKAGE_DEPENDS fonts-ipafont-gothic)
endif()

# The law as data, released on its own like tzdata: a law change or an equinox announcement is a
# new velunta-data, with no rebuild of the programs that read it.
velunta_package(data velunta-data misc
  "holiday law data and business calendars of Velunta"
  "${about}\nThe holiday law as data (share/velunta/law.toml), which the programs read\nwith --law or VELUNTA_LAW to answer by data newer than their built-in copy,\nand the business calendars of the banks, the government offices and the\nTokyo Stock Exchange, found by name (--calendar banks).")
set(CPACK_DEBIAN_DATA_PACKAGE_ARCHITECTURE all)

if(VELUNTA_BUILD_CLI)
  # velunta.service comes with the server (server/CMakeLists.txt): a build without
  # VELUNTA_BUILD_SERVER packages the command with neither serve nor the unit.
  velunta_package(cli velunta utils
    "command that tells whether a date is a day off in Japan"
    "${about}\nThe velunta command checks dates, lists days off (text, CSV, JSON, iCalendar),\ngives equinox days and counts business days, by the holiday law or by the\nclassic fixed rules.")
  set(CPACK_COMPONENT_CLI_DEPENDS lib_records lib_calendar_file lib_calendar lib_holidays
                                  lib_runtime data)
endif()

# The module for Debian's python3: its extension is built for that one CPython (3.11), so the
# package holds to it; NumPy is imported at run time for the vector forms, through no C ABI of its.
if(VELUNTA_BUILD_PYTHON)
  velunta_package(python python3-velunta python
    "Japanese holidays and business days for Python"
    "${about}\nThe Python 3 module velunta: holidays of the law with their names and\nkinds, equinoxes and business calendars, taking datetime.date, texts and\nNumPy datetime64 arrays, whose vector forms loop outside Python.")
  set(CPACK_COMPONENT_PYTHON_DEPENDS lib_records lib_calendar_file lib_calendar lib_holidays
                                     lib_runtime)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "python3 (>= 3.11), python3 (<< 3.12), python3-numpy")
endif()

get_cmake_property(CPACK_COMPONENTS_ALL COMPONENTS)
list(REMOVE_ITEM CPACK_COMPONENTS_ALL Unspecified)
include(CPack)

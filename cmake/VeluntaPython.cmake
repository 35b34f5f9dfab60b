# Debian's Python 3.11 and pybind11, for the Python package `velunta`: VELUNTA_BUILD_PYTHON
# defaults to ON where both are found. Debian's interpreter is the one its python3-* packages
# (NumPy, pytest) serve, so it is preferred to whatever python3 comes first on PATH.
if(NOT DEFINED Python3_EXECUTABLE AND EXISTS /usr/bin/python3)
  set(Python3_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "The Python the velunta package is built for")
endif()
find_package(Python3 3.11 EXACT QUIET COMPONENTS Interpreter Development.Module)
set(velunta_python_default OFF)
if(Python3_FOUND)
  # pybind11's own search must settle on the interpreter found above.
  set(PYBIND11_FINDPYTHON ON)
  find_package(pybind11 CONFIG QUIET)
  if(pybind11_FOUND)
    set(velunta_python_default ON)
  endif()
endif()
option(VELUNTA_BUILD_PYTHON "Build the Python package velunta (Debian's python3-dev, pybind11-dev)"
       ${velunta_python_default})
if(VELUNTA_BUILD_PYTHON AND NOT (Python3_FOUND AND pybind11_FOUND))
  message(FATAL_ERROR "VELUNTA_BUILD_PYTHON needs Python 3.11 with its development files and "
                      "pybind11 (Debian: python3-dev pybind11-dev python3-numpy); configure with "
                      "-DVELUNTA_BUILD_PYTHON=OFF to build without the Python package")
endif()
if(VELUNTA_BUILD_PYTHON)
  # The extension module links the project's static libraries into a shared object.
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()

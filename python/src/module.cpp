// The extension module velunta._velunta; velunta/__init__.py presents it.

#include <velunta/version.h>

#include "bindings.h"
#include "python_values.h"

PYBIND11_MODULE(_velunta, m) {
  using namespace velunta::python;
  LoadPythonClasses();
  RegisterTranslators();
  BindHolidays(m);
  BindBusiness(m);
  BindLaw(m);
  m.attr("__version__") = VELUNTA_VERSION_STRING;
}

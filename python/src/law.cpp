// The law in use: which it is, and putting a newer law file in its place.

#include <string>

#include <velunta/law.h>
#include <velunta/law_file.h>

#include "bindings.h"
#include "python_values.h"

namespace velunta::python {
namespace {

py::object PyLaw(const Law& law) {
  const auto version = law.Version();
  const auto source = law.Source();
  return Classes().lawInfo(py::str(version.data(), version.size()), PyDate(law.VersionDate()),
                           py::str(source.data(), source.size()),
                           static_cast<int>(law.LastAnnouncedEquinoxYear()));
}

}  // namespace

void BindLaw(py::module_& m) {
  using namespace pybind11::literals;
  m.def(
      "law", [] { return PyLaw(CurrentLaw()); },
      "The law in use: version, source, last announced equinox year.");
  m.def(
      "use_law",
      [](const py::object& path) {
        const auto name =
            py::str(py::module_::import("os").attr("fspath")(path)).cast<std::string>();
        const auto law = ReadLawFile(name);
        if (!law) throw FileError{law.error()};
        UseLaw(**law);
        return PyLaw(**law);
      },
      "Answers by the law file at path from now on; business calendars made before keep their "
      "days.",
      "path"_a);
}

}  // namespace velunta::python

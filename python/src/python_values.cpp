#include "python_values.h"

// After Python.h, which pybind11 includes.
#include <datetime.h>

#include <string_view>

namespace velunta::python {
namespace {

// Never freed: the classes outlive every call, and the interpreter tears them down itself.
PythonClasses* classes = nullptr;

py::str Text(std::string_view text) {
  return py::str(text.data(), text.size());
}

}  // namespace

void LoadPythonClasses() {
  PyDateTime_IMPORT;
  if (PyDateTimeAPI == nullptr) throw py::error_already_set();
  const auto values = py::module_::import("velunta._values");
  const auto errors = py::module_::import("velunta._errors");
  const auto numpy = py::module_::import("numpy");
  classes = new PythonClasses{values.attr("Holiday"),
                              values.attr("Equinox"),
                              values.attr("ClosedDay"),
                              values.attr("LawInfo"),
                              errors.attr("DateError"),
                              errors.attr("CalendarFileError"),
                              numpy,
                              numpy.attr("datetime64")};
}

const PythonClasses& Classes() {
  return *classes;
}

void RegisterTranslators() {
  py::register_exception_translator([](std::exception_ptr thrown) {
    try {
      if (thrown) std::rethrow_exception(thrown);
    } catch (const DateError& error) {
      PyErr_SetString(Classes().dateError.ptr(), error.what());
    } catch (const FileError& failure) {
      const auto& error = failure.error;
      const auto value =
          Classes().calendarFileError(error.ToString(), error.file, error.line, error.message);
      PyErr_SetObject(Classes().calendarFileError.ptr(), value.ptr());
    }
  });
}

py::object PyDate(std::chrono::year_month_day date) {
  PyObject* value = PyDate_FromDate(static_cast<int>(date.year()),
                                    static_cast<int>(static_cast<unsigned>(date.month())),
                                    static_cast<int>(static_cast<unsigned>(date.day())));
  if (value == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::object>(value);
}

py::object PyUtcInstant(std::chrono::sys_time<std::chrono::milliseconds> instant) {
  using namespace std::chrono;
  const auto day = floor<days>(instant);
  const year_month_day date{day};
  const hh_mm_ss time{instant - day};
  PyObject* value = PyDateTimeAPI->DateTime_FromDateAndTime(
      static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
      static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(time.hours().count()),
      static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()),
      static_cast<int>(duration_cast<microseconds>(time.subseconds()).count()),
      PyDateTime_TimeZone_UTC, PyDateTimeAPI->DateTimeType);
  if (value == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::object>(value);
}

bool IsDateTime(py::handle value) {
  return PyDateTime_Check(value.ptr());
}

std::optional<std::chrono::year_month_day> DateOf(py::handle value) {
  PyObject* object = value.ptr();
  if (!PyDate_Check(object) || PyDateTime_Check(object)) return std::nullopt;
  return std::chrono::year_month_day{
      std::chrono::year{PyDateTime_GET_YEAR(object)},
      std::chrono::month{static_cast<unsigned>(PyDateTime_GET_MONTH(object))},
      std::chrono::day{static_cast<unsigned>(PyDateTime_GET_DAY(object))}};
}

py::object PyHoliday(const Holiday& holiday) {
  return Classes().holiday(PyDate(holiday.date), Text(holiday.name), Text(holiday.nameEn),
                           Text(KindId(holiday.kind)), holiday.predicted);
}

py::object PyHoliday(const records::DayRecord& day) {
  return Classes().holiday(PyDate(day.date), day.name, day.nameEn, Text(records::KindId(day.kind)),
                           day.predicted);
}

py::object PyHolidayOrNone(const std::optional<Holiday>& holiday) {
  return holiday ? PyHoliday(*holiday) : py::none();
}

}  // namespace velunta::python

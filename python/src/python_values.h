#pragma once
// The Python side's own classes, which the extension hands its answers and refusals to: the
// frozen values of velunta/_values.py, the exceptions of velunta/_errors.py and NumPy. Looked up
// once when the module loads and kept for the life of the interpreter.

#include <pybind11/pybind11.h>

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>

#include <velunta/calendar.h>
#include <velunta/calendar_file.h>
#include <velunta/records/day_record.h>

namespace velunta::python {

namespace py = pybind11;

struct PythonClasses {
  py::object holiday;  // velunta.Holiday
  py::object equinox;
  py::object closedDay;
  py::object lawInfo;
  py::object dateError;  // velunta.DateError (a ValueError)
  py::object calendarFileError;
  py::object numpy;
  py::object datetime64;  // numpy.datetime64, the scalar type
};

// Loads the classes; called once from the module's initialisation.
void LoadPythonClasses();
const PythonClasses& Classes();

// A refused date: raised as velunta.DateError with this one-line message.
struct DateError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A refused calendar or law file: raised as velunta.CalendarFileError with .file and .line.
struct FileError {
  CalendarFileError error;
};

// Raises the Python exception of a DateError or FileError thrown by the binding.
void RegisterTranslators();

// Returns a datetime.date.
py::object PyDate(std::chrono::year_month_day date);
// Returns a timezone-aware datetime in UTC.
py::object PyUtcInstant(std::chrono::sys_time<std::chrono::milliseconds> instant);
// Returns true for a datetime.datetime (or a subclass).
bool IsDateTime(py::handle value);
// Returns the day of a datetime.date that is no datetime, or nothing for any other object.
std::optional<std::chrono::year_month_day> DateOf(py::handle value);

// Return velunta.Holiday values of the law calendar's holiday or of a listed day's record.
py::object PyHoliday(const Holiday& holiday);
py::object PyHoliday(const records::DayRecord& day);
py::object PyHolidayOrNone(const std::optional<Holiday>& holiday);

}  // namespace velunta::python

#pragma once
// Python's dates in and out. A datetime.date is its day; a datetime.datetime is refused (its day
// depends on a zone); a text is read as the command reads it (2026-05-06, 令和8年5月6日); a
// numpy.datetime64 names a day at unit D, or at a finer unit when it is exactly midnight (it has
// no zone, so midnight is a calendar day); NaT is no day. Dates lie in 1600-01-01..2399-12-31.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velunta::python {

namespace py = pybind11;

// Returns true for what is read as one date rather than many: a date (or datetime, refused
// later), a text, a numpy.datetime64 scalar.
bool IsScalarDate(py::handle value);

// Returns the day a scalar names. Raises TypeError for a datetime or another type, DateError
// for a text that is no date or a day outside 1600..2399.
std::chrono::year_month_day ToDate(py::handle value);

// Many days as day counts since 1970-01-01, in C order, with the shape they came in.
struct DayArray {
  std::vector<std::int64_t> days;
  std::vector<py::ssize_t> shape;
};

// Returns the days of an array-like (numpy.asarray of it), each checked as ToDate checks one;
// a refusal names the first bad element's index.
DayArray ToDays(py::handle values);

// Returns the whole numbers of an array-like as int64, in C order, with their shape.
struct NumberArray {
  std::vector<std::int64_t> values;
  std::vector<py::ssize_t> shape;
};
NumberArray ToNumbers(py::handle values);

// Returns `a` and `b` as NumPy arrays of one broadcast shape (raises ValueError where NumPy
// cannot broadcast them).
std::pair<py::object, py::object> Broadcast(py::object a, py::object b);

// Returns a year of 1600..2399, or raises DateError.
std::chrono::year ToYear(int value);

// Returns "element 3" or "element (1, 2)" for a flat index into an array of `shape`.
std::string ElementName(std::size_t flat, const std::vector<py::ssize_t>& shape);

// Returns a new array of `shape` holding day counts as datetime64[D].
py::array DaysAsDatetime64(const std::vector<std::int64_t>& days,
                           const std::vector<py::ssize_t>& shape);

}  // namespace velunta::python

#pragma once
// The parts of the module `velunta._velunta`, each adding its functions and classes.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <velunta/business_calendar.h>

namespace velunta::python {

namespace py = pybind11;

void BindHolidays(py::module_& module);
void BindBusiness(py::module_& module);
void BindLaw(py::module_& module);

// Returns, for each date of an array-like, whether the calendar has it open (`open`) or closed,
// as a bool array of its shape; the loop runs without the GIL.
py::array OpenDays(const BusinessCalendar& calendar, py::handle dates, bool open);

}  // namespace velunta::python

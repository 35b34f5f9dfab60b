#include "words.h"

#include <pybind11/pybind11.h>

#include <velunta/request/choices.h>

namespace velunta::python {

LabelStyle LabelsOf(std::string_view word) {
  const auto labels = request::Choose(word, request::kLabels);
  if (!labels.has_value()) throw pybind11::value_error(request::Worded(labels.refusal(), "labels"));
  return *labels == request::Labels::law ? LabelStyle::official : LabelStyle::officialList;
}

Roll ConventionOf(std::string_view word) {
  const auto roll = request::Choose(word, request::kConventions);
  if (!roll.has_value()) throw pybind11::value_error(request::Worded(roll.refusal(), "convention"));
  return *roll;
}

}  // namespace velunta::python

#pragma once
// The words Python callers choose with, read from the request layer's tables so that they are
// the command's words: labels ("law", "official") and roll conventions ("following", ...).

#include <string_view>

#include <velunta/business_days.h>
#include <velunta/calendar.h>

namespace velunta::python {

// Return the value of a word, or raise ValueError naming the accepted words.
LabelStyle LabelsOf(std::string_view word);
Roll ConventionOf(std::string_view word);

}  // namespace velunta::python

#pragma once
// The law a run of the command answers by: the file of --law or VELUNTA_LAW, or the built-in
// law.

#include <string>

#include <velunta/law.h>

namespace velunta::cli {

// Puts in use the law of `file` (empty: the built-in law) and returns it. Throws UsageError
// with the file, the line and what is wrong when the file is not entirely right; the law in
// use is then the built-in one.
const Law& UseLawOf(const std::string& file);

// Returns the line of -V about the law: "law: built in, version 2026-12-08" or
// "law: /etc/velunta/law.toml, version 2027-02-01".
std::string LawLine(const Law& law);

}  // namespace velunta::cli

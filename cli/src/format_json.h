#pragma once
// JSON output: one array of objects, one object per row with the columns as keys in order.

#include <ostream>

#include "table.h"

namespace velunta::cli {

// Writes the table as a JSON array (UTF-8, not escaped to ASCII), followed by a newline.
void WriteJson(const Table& table, std::ostream& out);

}  // namespace velunta::cli

#pragma once
// RFC 4180 output: a header row, then one record per row; every line ends in CRLF.

#include <ostream>

#include "table.h"

namespace velunta::cli {

// Writes the table. A field holding a comma, a double quote, CR or LF is quoted, with its
// double quotes doubled: 休日,"a ""b""" -> the fields 休日 and a "b".
void WriteCsv(const Table& table, std::ostream& out);

}  // namespace velunta::cli

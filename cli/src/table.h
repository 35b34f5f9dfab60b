#pragma once
// Rows of named columns: what the csv and json writers take, whatever the subcommand.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace velunta::cli {

// A cell: no value (json null, an empty csv field), text, a whole number or a truth value.
using Cell = std::variant<std::monostate, std::string, std::int64_t, bool>;

struct Table {
  std::vector<std::string> columns;
  std::vector<std::vector<Cell>> rows;  // each row has one cell per column
};

}  // namespace velunta::cli

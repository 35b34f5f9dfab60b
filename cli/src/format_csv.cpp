#include "format_csv.h"

#include <string>

namespace velunta::cli {
namespace {

void WriteField(const std::string& text, std::ostream& out) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) {
    out << text;
    return;
  }
  out << '"';
  for (char c : text) {
    if (c == '"') out << '"';
    out << c;
  }
  out << '"';
}

struct CellWriter {
  std::ostream& out;
  void operator()(std::monostate) const {}
  void operator()(const std::string& text) const { WriteField(text, out); }
  void operator()(std::int64_t number) const { out << number; }
  void operator()(bool truth) const { out << (truth ? "true" : "false"); }
};

void WriteRecord(const std::vector<Cell>& cells, std::ostream& out) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out << ',';
    std::visit(CellWriter{out}, cells[i]);
  }
  out << "\r\n";
}

}  // namespace

void WriteCsv(const Table& table, std::ostream& out) {
  WriteRecord(std::vector<Cell>(table.columns.begin(), table.columns.end()), out);
  for (const auto& row : table.rows) WriteRecord(row, out);
}

}  // namespace velunta::cli

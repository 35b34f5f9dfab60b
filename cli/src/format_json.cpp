#include "format_json.h"

#include <nlohmann/json.hpp>

namespace velunta::cli {
namespace {

using Json = nlohmann::ordered_json;  // keeps the columns in their order

struct CellToJson {
  Json operator()(std::monostate) const { return nullptr; }
  Json operator()(const std::string& text) const { return text; }
  Json operator()(std::int64_t number) const { return number; }
  Json operator()(bool truth) const { return truth; }
};

}  // namespace

void WriteJson(const Table& table, std::ostream& out) {
  Json array = Json::array();
  for (const auto& row : table.rows) {
    Json object = Json::object();
    for (std::size_t i = 0; i < table.columns.size() && i < row.size(); ++i) {
      object[table.columns[i]] = std::visit(CellToJson{}, row[i]);
    }
    array.push_back(std::move(object));
  }
  out << array.dump(2) << '\n';
}

}  // namespace velunta::cli

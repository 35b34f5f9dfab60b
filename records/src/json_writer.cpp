#include <string>
#include <vector>

#include <velunta/records/records_error.h>
#include <velunta/records/table_writer.h>
#include <nlohmann/json.hpp>

namespace velunta::records {
namespace {

using Json = nlohmann::json;

struct CellToJson {
  Json operator()(std::monostate) const { return nullptr; }
  Json operator()(const std::string& text) const { return text; }
  Json operator()(std::int64_t number) const { return number; }
  Json operator()(bool truth) const { return truth; }
  Json operator()(const Texts& texts) const { return texts; }
};

// Returns a value's JSON text as dump(2) lays it out as the value of a row's key, its lines after
// the first indented under the key; refuses bytes that are not UTF-8 rather than half-write a row.
std::string Dump(const Json& value) {
  try {
    if (!value.is_array()) return value.dump();
    std::string text;
    for (const char c : value.dump(2)) {
      text += c;
      if (c == '\n') text += "    ";
    }
    return text;
  } catch (const Json::exception& error) {
    throw RecordsError(std::string("cannot write as JSON: ") + error.what());
  }
}

// Writes each row as soon as it is given, laid out as dump(2) lays out the whole array.
class JsonWriter final : public TableWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  void Begin(std::span<const std::string_view> columns) override {
    keys_.clear();
    for (const auto column : columns) keys_.push_back(Dump(Json(std::string(column))));
    rows_ = 0;
  }

  void Row(std::span<const Cell> cells) override {
    std::string object = rows_ == 0 ? "[\n  {" : ",\n  {";
    for (std::size_t i = 0; i < keys_.size() && i < cells.size(); ++i) {
      object += i == 0 ? "\n    " : ",\n    ";
      object += keys_[i];
      object += ": ";
      object += Dump(std::visit(CellToJson{}, cells[i]));
    }
    object += "\n  }";
    out_ << object;
    ++rows_;
  }

  void End() override { out_ << (rows_ == 0 ? "[]\n" : "\n]\n"); }

 private:
  std::ostream& out_;
  std::vector<std::string> keys_;
  std::size_t rows_ = 0;
};

}  // namespace

std::unique_ptr<TableWriter> MakeJsonWriter(std::ostream& out) {
  return std::make_unique<JsonWriter>(out);
}

std::unique_ptr<TableWriter> MakeTableWriter(Format format, std::ostream& out, bool byteOrderMark) {
  if (format == Format::csv) return MakeCsvWriter(out, byteOrderMark);
  if (format == Format::json) return MakeJsonWriter(out);
  throw RecordsError("a table is written as csv or json only");
}

}  // namespace velunta::records

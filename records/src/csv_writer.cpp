#include <velunta/records/table_writer.h>

#include <string>

namespace velunta::records {
namespace {

void WriteField(std::string_view text, std::ostream& out) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
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
  void operator()(const Texts& texts) const {
    std::string joined;
    for (const auto& text : texts) {
      if (!joined.empty()) joined += ';';
      joined += text;
    }
    WriteField(joined, out);
  }
};

class CsvWriter final : public TableWriter {
 public:
  CsvWriter(std::ostream& out, bool byteOrderMark) : out_(out), byteOrderMark_(byteOrderMark) {}

  void Begin(std::span<const std::string_view> columns) override {
    if (byteOrderMark_) out_ << "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) out_ << ',';
      WriteField(columns[i], out_);
    }
    out_ << "\r\n";
  }

  void Row(std::span<const Cell> cells) override {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i > 0) out_ << ',';
      std::visit(CellWriter{out_}, cells[i]);
    }
    out_ << "\r\n";
  }

  void End() override {}

 private:
  std::ostream& out_;
  bool byteOrderMark_;
};

}  // namespace

std::unique_ptr<TableWriter> MakeCsvWriter(std::ostream& out, bool byteOrderMark) {
  return std::make_unique<CsvWriter>(out, byteOrderMark);
}

}  // namespace velunta::records

#pragma once
// Rows of named columns written as they come: CSV (RFC 4180) or JSON (an array of objects), in
// memory bounded by one row whatever the number of rows.

#include <velunta/records_export.h>
#include <cstdint>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace velunta::records {

// A list of texts in one cell: a JSON array; in CSV one field, the texts joined with ';'.
using Texts = std::vector<std::string>;

// A cell: no value (JSON null, an empty CSV field), text, a whole number, a truth value or a
// list of texts.
using Cell = std::variant<std::monostate, std::string, std::int64_t, bool, Texts>;

enum class Format : std::uint8_t { text, csv, json, ics };

class VELUNTA_RECORDS_EXPORT TableWriter {
 public:
  virtual ~TableWriter() = default;
  // Begin once, then Row for each row (one cell per column), then End once.
  virtual void Begin(std::span<const std::string_view> columns) = 0;
  virtual void Row(std::span<const Cell> cells) = 0;
  virtual void End() = 0;
};

// CSV: a header row, then one record per row, every line ending in CRLF; a field holding a
// comma, a double quote, CR or LF is quoted with its double quotes doubled (a "b" -> "a ""b""").
// With byteOrderMark, the first bytes are UTF-8's byte-order mark (EF BB BF).
VELUNTA_RECORDS_EXPORT std::unique_ptr<TableWriter> MakeCsvWriter(std::ostream& out,
                                                                  bool byteOrderMark = false);

// JSON: one array of objects with the columns as keys in order, indented by two, UTF-8 as is,
// then a newline: exactly what nlohmann's dump(2) writes for the whole array. Throws
// RecordsError for text that is not UTF-8.
VELUNTA_RECORDS_EXPORT std::unique_ptr<TableWriter> MakeJsonWriter(std::ostream& out);

// The CSV or JSON writer; throws RecordsError for any other format. byteOrderMark is for CSV.
VELUNTA_RECORDS_EXPORT std::unique_ptr<TableWriter> MakeTableWriter(Format format,
                                                                    std::ostream& out,
                                                                    bool byteOrderMark = false);

}  // namespace velunta::records

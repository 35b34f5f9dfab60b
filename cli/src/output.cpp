#include "output.h"

#include <string>

#include "format_csv.h"
#include "format_ics.h"
#include "format_json.h"
#include "usage_error.h"

namespace velunta::cli {

void RequireNoIcs(const GlobalOptions& options, std::string_view command) {
  if (options.format == Format::ics) {
    throw UsageError("format not available for " + std::string(command) +
                     ": 'ics'; accepted: text, csv, json (ics is for list)");
  }
}

void WriteDays(const std::vector<DayRecord>& days, const GlobalOptions& options,
               std::ostream& out) {
  switch (options.format) {
    case Format::text:
      for (const auto& day : days) out << DayLine(day, options.lang) << '\n';
      return;
    case Format::ics:
      WriteIcs(days, options.lang, out);
      return;
    case Format::csv:
    case Format::json:
      WriteTable(DayTable(days), options, out);
      return;
  }
}

void WriteTable(const Table& table, const GlobalOptions& options, std::ostream& out) {
  if (options.format == Format::csv) {
    WriteCsv(table, out);
  } else {
    WriteJson(table, out);
  }
}

}  // namespace velunta::cli

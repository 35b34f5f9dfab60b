#pragma once
// One equinox day as the formats write it.

#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <velunta/calendar.h>
#include <velunta/records/date_texts.h>
#include <velunta/records/table_writer.h>
#include <velunta/records_export.h>

namespace velunta::records {

struct EquinoxRecord {
  std::chrono::year year;
  Season season;
  std::chrono::year_month_day day;
  std::optional<Equinox> instant;  // the law calendar's; none from the fixed table
};

struct YearEquinoxRecords {
  EquinoxRecord vernal;
  EquinoxRecord autumnal;
};

// Returns "official" (announced as the holiday's date), "predicted" (a later year, as this
// calendar computes it) or "historical" (a year before the holiday existed).
VELUNTA_RECORDS_EXPORT std::string_view StatusId(const Equinox& equinox) noexcept;

// Returns "2026/03/20(金) 春分 23:45:51 JST 確定"; without an instant "2005/03/20(日) 春分".
VELUNTA_RECORDS_EXPORT std::string EquinoxLine(const EquinoxRecord& record, Lang lang);

// The columns CSV and JSON write for an equinox (year, season, date, weekday, instant_jst,
// instant_utc, status), and a record's cells in that order; the last three are empty without an
// instant.
VELUNTA_RECORDS_EXPORT std::span<const std::string_view> EquinoxColumns() noexcept;
VELUNTA_RECORDS_EXPORT std::vector<Cell> EquinoxCells(const EquinoxRecord& record);

}  // namespace velunta::records

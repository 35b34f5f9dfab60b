#pragma once
// Days written as they come, in the format asked for: text lines as the window's list writes
// them, a CSV or JSON table, or an iCalendar file of all-day events.

#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <velunta/records/day_record.h>
#include <velunta/records/table_writer.h>
#include <velunta/records_export.h>

namespace velunta::records {

struct WriterOptions {
  Format format = Format::text;
  Lang lang = Lang::ja;
  // iCalendar's PRODID, e.g. "-//Velunta//velunta 0.1.0//JA"; the writer adds nothing to it.
  std::string productId = "-//Velunta//velunta//JA";
  // CSV only: start with a UTF-8 byte-order mark, so that a spreadsheet opened by a double click
  // reads the Japanese names as UTF-8.
  bool byteOrderMark = false;
};

class VELUNTA_RECORDS_EXPORT DayWriter {
 public:
  virtual ~DayWriter() = default;
  // Begin once, then Day for each day in date order, then End once.
  virtual void Begin() = 0;
  virtual void Day(const DayRecord& day) = 0;
  virtual void End() = 0;
};

// Returns the writer of the options' format:
//  - text: DayLine, one a line;
//  - csv / json: the columns of DayColumns();
//  - ics: a VCALENDAR with one VEVENT per day: DTSTART and DTEND (the next day) as DATE values,
//    SUMMARY in the language asked for, DESCRIPTION with both names and the kind, CATEGORIES the
//    kind, and a DTSTAMP derived from the date, so the output is the same on every run.
VELUNTA_RECORDS_EXPORT std::unique_ptr<DayWriter> MakeDayWriter(const WriterOptions& options,
                                                                std::ostream& out);

// Returns the iCalendar writer of a feed a calendar program subscribes to: MakeDayWriter's ics
// with REFRESH-INTERVAL and X-PUBLISHED-TTL in the header, saying how often to fetch again (a
// duration such as "P1D"). The options' format is ignored.
VELUNTA_RECORDS_EXPORT std::unique_ptr<DayWriter> MakeFeedWriter(const WriterOptions& options,
                                                                 std::string_view refreshInterval,
                                                                 std::ostream& out);

// The columns CSV and JSON write for a day, and a day's cells in that order.
VELUNTA_RECORDS_EXPORT std::span<const std::string_view> DayColumns() noexcept;
VELUNTA_RECORDS_EXPORT std::vector<Cell> DayCells(const DayRecord& day);

}  // namespace velunta::records

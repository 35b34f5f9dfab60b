// /v1/days/{date}, /v1/holidays, /v1/next, /v1/previous and /v1/equinox: the questions of the
// command's check, list, next, previous and equinox, answered by the same records and writers.

#include <sstream>
#include <vector>

#include <velunta/records/date_texts.h>
#include <velunta/records/equinox_record.h>

#include "answers.h"

namespace velunta::server {
namespace {

using namespace std::chrono;
using Direction = records::DaySource::Direction;

// The most days next and previous list, as the command allows.
constexpr int kMostDays = 1000;

// A response of the days a writer wrote.
template <class Write>
Response WriteDays(const Context& context, records::Format format, records::Lang lang,
                   Write&& write) {
  std::ostringstream out;
  const auto writer = records::MakeDayWriter(WriterFor(format, lang, context.version), out);
  writer->Begin();
  write(*writer);
  writer->End();
  Response response;
  response.Set("Content-Type", std::string(ContentType(format)));
  response.body = std::move(out).str();
  return response;
}

bool IsWholeNumber(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// A range end as the command's list reads it: a year stands for its first or last day.
year_month_day RangeEnd(const Parameters& params, std::string_view name,
                        const records::DaySource& source, bool first) {
  const auto& text = params.Required(name);
  if (!IsWholeNumber(text)) return params.Date(name, source);
  const year y = params.Year(name, source);
  return first ? y / January / 1 : y / December / 31;
}

Response Nearest(const Context& context, Direction direction) {
  const Parameters params(context.query,
                          {"date", "count", "sundays", "rules", "labels", "lang", "format"});
  const auto& source = params.Source();
  const auto lang = params.Lang();
  const auto format = params.Format(true);
  const auto date = params.Has("date") ? params.Date("date", source) : TodayInJapan(context.now);
  const int count = params.Has("count") ? params.Number("count", 1, kMostDays) : 1;
  const bool sundays = params.Flag("sundays");
  // Strictly after (before) the date, found in full before any is written.
  const sys_days start = sys_days{date} + days{direction == Direction::forward ? 1 : -1};
  std::vector<records::DayRecord> found;
  if (source.Covers(year_month_day{start})) {
    source.ForEachDayOffFrom(year_month_day{start}, direction, sundays,
                             [&](const records::DayRecord& day) {
                               found.push_back(day);
                               return static_cast<int>(found.size()) < count;
                             });
  }
  if (static_cast<int>(found.size()) < count) {
    const bool forward = direction == Direction::forward;
    throw BadRequest("only " + std::to_string(found.size()) + " of " + std::to_string(count) +
                     " days off " + (forward ? "after " : "before ") + records::IsoDate(date) +
                     " within the years " + std::to_string(static_cast<int>(source.FirstYear())) +
                     " to " + std::to_string(static_cast<int>(source.LastYear())) +
                     "; accepted: a date with that many days off " +
                     (forward ? "after it" : "before it"));
  }
  return WriteDays(context, format, lang, [&](records::DayWriter& writer) {
    for (const auto& day : found) writer.Day(day);
  });
}

}  // namespace

std::string_view ContentType(records::Format format) noexcept {
  switch (format) {
    case records::Format::csv:
      return "text/csv; charset=utf-8";
    case records::Format::ics:
      return "text/calendar; charset=utf-8";
    case records::Format::text:
      return "text/plain; charset=utf-8";
    case records::Format::json:
      break;
  }
  return "application/json; charset=utf-8";
}

records::WriterOptions WriterFor(records::Format format, records::Lang lang,
                                 const std::string& version) {
  records::WriterOptions options;
  options.format = format;
  options.lang = lang;
  options.productId =
      "-//Velunta//velunta " + version + (lang == records::Lang::en ? "//EN" : "//JA");
  return options;
}

year_month_day TodayInJapan(sys_seconds now) noexcept {
  return year_month_day{floor<days>(now + hours{9})};
}

Response Day(const Context& context) {
  const Parameters params(context.query, {"rules", "labels", "lang", "format"});
  const auto& source = params.Source();
  const auto date = ReadDate("the path's date", context.tail, source);
  const auto lang = params.Lang();
  const auto format = params.Format(false);
  return WriteDays(context, format, lang,
                   [&](records::DayWriter& writer) { writer.Day(source.Day(date)); });
}

Response Holidays(const Context& context) {
  const Parameters params(context.query,
                          {"year", "from", "to", "sundays", "rules", "labels", "lang", "format"});
  const auto& source = params.Source();
  year_month_day first;
  year_month_day last;
  if (params.Has("year")) {
    if (params.Has("from") || params.Has("to")) {
      throw BadRequest("year with from or to; accepted: year=YEAR or from=FROM&to=TO");
    }
    const year y = params.Year("year", source);
    first = y / January / 1;
    last = y / December / 31;
  } else if (params.Has("from") && params.Has("to")) {
    first = RangeEnd(params, "from", source, true);
    last = RangeEnd(params, "to", source, false);
    if (first > last) {
      throw BadRequest("from after to: " + Quoted(*params.Find("from")) + " is after " +
                       Quoted(*params.Find("to")) + "; accepted: from on or before to");
    }
  } else {
    throw BadRequest(
        "missing parameter: year, or from and to; accepted: year=2026 or "
        "from=2026-04-29&to=2026-05-06");
  }
  const bool sundays = params.Flag("sundays");
  const auto lang = params.Lang();
  const auto format = params.Format(true);
  return WriteDays(context, format, lang, [&](records::DayWriter& writer) {
    source.ForEachDayOff(first, last, sundays,
                         [&writer](const records::DayRecord& day) { writer.Day(day); });
  });
}

Response Next(const Context& context) {
  return Nearest(context, Direction::forward);
}

Response Previous(const Context& context) {
  return Nearest(context, Direction::backward);
}

Response EquinoxDays(const Context& context) {
  const Parameters params(context.query, {"year", "rules", "labels", "lang", "format"});
  const auto& source = params.Source();
  const year y = params.Year("year", source);
  if (y < source.FirstEquinoxYear() || y > source.LastEquinoxYear()) {
    throw BadRequest(
        "year out of range for the classic equinox days: " + Quoted(*params.Find("year")) +
        "; accepted: " + std::to_string(static_cast<int>(source.FirstEquinoxYear())) + " to " +
        std::to_string(static_cast<int>(source.LastEquinoxYear())));
  }
  params.Lang();
  const auto format = params.Format(false);
  std::ostringstream out;
  const auto table = records::MakeTableWriter(format, out);
  table->Begin(records::EquinoxColumns());
  const auto both = source.Equinoxes(y);
  table->Row(records::EquinoxCells(both.vernal));
  table->Row(records::EquinoxCells(both.autumnal));
  table->End();
  Response response;
  response.Set("Content-Type", std::string(ContentType(format)));
  response.body = std::move(out).str();
  return response;
}

}  // namespace velunta::server

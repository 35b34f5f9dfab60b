// /v1/days/{date}, /v1/holidays, /v1/next, /v1/previous and /v1/equinox: the questions of the
// command's check, list, next, previous and equinox, answered by the same records and writers.

#include <sstream>
#include <vector>

#include <velunta/calendar.h>
#include <velunta/records/equinox_record.h>
#include <velunta/request/queries.h>

#include "answers.h"

namespace velunta::server {
namespace {

using namespace std::chrono;
using Direction = records::DaySource::Direction;

// A response of the days a writer wrote.
template <class Write>
Response WriteDays(const Context& context, records::Format format, records::Lang lang,
                   Write&& write) {
  std::ostringstream out;
  const auto writer =
      records::MakeDayWriter(request::WriterFor(format, lang, context.version), out);
  writer->Begin();
  write(*writer);
  writer->End();
  Response response;
  response.Set("Content-Type", std::string(ContentType(format)));
  response.body = std::move(out).str();
  return response;
}

Response Nearest(const Context& context, Direction direction) {
  const auto params = context.Params();
  const auto& source = params.Source();
  const auto date =
      params.Has("date") ? params.Date("date", source) : request::TodayInJapan(context.now);
  const int count = params.Has("count") ? params.Count("count") : 1;
  const auto found = Checked(request::NearestDaysOff(
      source, date, direction, count, params.Flag("sundays"), request::DateStyle::iso));
  return WriteDays(context, params.Choice("format", request::kListFormats),
                   params.Choice("lang", request::kLangs), [&](records::DayWriter& writer) {
                     for (const auto& day : found) {
                       context.predicted = context.predicted || day.predicted;
                       writer.Day(day);
                     }
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

Response Day(const Context& context) {
  const auto params = context.Params();
  const auto& source = params.Source();
  const auto date = ReadDate("the path's date", context.tail, source);
  return WriteDays(context, params.Choice("format", request::kDayFormats),
                   params.Choice("lang", request::kLangs), [&](records::DayWriter& writer) {
                     const auto day = source.Day(date);
                     context.predicted = day.predicted;
                     writer.Day(day);
                   });
}

std::pair<year_month_day, year_month_day> SpanOf(const Context& context, const Parameters& params,
                                                 const records::DaySource& source) {
  if (params.Has("year")) {
    if (params.Has("from") || params.Has("to")) {
      throw BadRequest("year with from or to; accepted: year=YEAR or from=FROM&to=TO");
    }
    const year y = params.Year("year", source);
    return {y / January / 1, y / December / 31};
  }
  if (params.Has("from") && params.Has("to")) {
    const auto first = params.RangeEnd("from", source, request::RangeEnd::first);
    const auto last = params.RangeEnd("to", source, request::RangeEnd::last);
    if (auto refusal = request::OutOfOrder(first, last, *params.Find("from"), *params.Find("to"),
                                           "from", "to")) {
      Refuse(*refusal);
    }
    return {first, last};
  }
  if (params.Has("from") || params.Has("to")) {
    throw BadRequest(std::string("missing parameter: ") + (params.Has("from") ? "to" : "from") +
                     "; accepted: from and to together, or year, or neither (this year)");
  }
  const year y = request::TodayInJapan(context.now).year();
  return {y / January / 1, y / December / 31};
}

Response Holidays(const Context& context) {
  const auto params = context.Params();
  const auto& source = params.Source();
  // Named, not structured bindings: lambdas below use them, which clang 14 does not allow for
  // bindings.
  const auto span = SpanOf(context, params, source);
  const auto first = span.first;
  const auto last = span.second;
  const bool sundays = params.Flag("sundays");
  return WriteDays(context, params.Choice("format", request::kListFormats),
                   params.Choice("lang", request::kLangs), [&](records::DayWriter& writer) {
                     source.ForEachDayOff(first, last, sundays, [&](const records::DayRecord& day) {
                       context.predicted = context.predicted || day.predicted;
                       writer.Day(day);
                     });
                   });
}

Response Next(const Context& context) {
  return Nearest(context, Direction::forward);
}

Response Previous(const Context& context) {
  return Nearest(context, Direction::backward);
}

Response EquinoxDays(const Context& context) {
  const auto params = context.Params();
  const auto& source = params.Source();
  const year y = Checked(request::EquinoxYear(*params.Find("year"), source));
  context.predicted = y > LastAnnouncedEquinoxYear();
  const auto format = params.Choice("format", request::kDayFormats);
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

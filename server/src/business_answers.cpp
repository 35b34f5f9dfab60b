// /v1/business/{is|add|count|next|previous|roll}: the command's business subcommands, with its
// options as parameters, answered by a BusinessCalendar: one loaded at start (calendar=NAME, or
// the default), or one built for a request that adds its own choices to it.

#include <array>
#include <sstream>

#include <velunta/records/date_texts.h>

#include "answers.h"
#include "business_calendars.h"

namespace velunta::server {
namespace {

using namespace std::chrono;

// Returns the answer of a calendar request or throws BadRequest naming the request.
template <class T>
T Answer(const Result<T>& result, const std::string& request) {
  if (result.has_value()) return *result;
  if (result.error() == CalendarError::outOfRange) {
    throw BadRequest("result out of range: " + request +
                     "; accepted: requests answered within 1600-01-01 to 2399-12-31");
  }
  throw BadRequest(std::string(Describe(result.error())) + ": " + request);
}

// The parameters every business request shares, then its own.
constexpr std::array<std::string_view, 7> kShared = {"saturday_workday",
                                                     "bank_closing_days",
                                                     "government_closing_days",
                                                     "closed",
                                                     "calendar",
                                                     "lang",
                                                     "format"};

Parameters Read(const Context& context, std::initializer_list<std::string_view> own) {
  std::vector<std::string_view> known(own);
  known.insert(known.end(), kShared.begin(), kShared.end());
  return Parameters(context.query, std::move(known));
}

// Returns the calendar a request names (the default without calendar=), with the request's own
// choices added to it as the command adds its options to a calendar file's.
BusinessCalendar CalendarOf(const Parameters& params, const BusinessCalendars& calendars) {
  const LoadedCalendar* base = &calendars.Default();
  if (const auto* name = params.Find("calendar")) {
    base = calendars.Find(*name);
    if (base == nullptr) {
      const auto names = calendars.Names();
      throw BadRequest("unknown value for calendar: " + Quoted(*name) + "; accepted: " +
                       (names.empty() ? "none (the server was started without --calendar)"
                                      : names + " (the calendars loaded at start)"));
    }
  }
  BusinessCalendarAdditions additions{
      .saturdayWorkday = params.Flag("saturday_workday"),
      .bankClosingDays = params.Flag("bank_closing_days"),
      .governmentClosingDays = params.Flag("government_closing_days")};
  if (const auto* list = params.Find("closed")) {
    std::string_view rest = *list;
    while (true) {
      const auto comma = rest.find(',');
      additions.closed.push_back(ReadDate("closed", rest.substr(0, comma), records::LawSource()));
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
  }
  if (!ChangesCalendar(base->options, additions))
    return base->calendar;  // shared: a pointer's copy
  return Answer(BusinessCalendar::Make(WithAdditions(base->options, additions)),
                "the business calendar");
}

// The roll convention, as the command's --convention reads it.
Roll ConventionOf(const Parameters& params) {
  constexpr std::pair<std::string_view, Roll> kConventions[] = {
      {"following", Roll::following},
      {"preceding", Roll::preceding},
      {"modified-following", Roll::modifiedFollowing},
      {"modified-preceding", Roll::modifiedPreceding},
  };
  const auto* convention = params.Find("convention");
  if (convention == nullptr) return Roll::following;
  for (const auto& [word, roll] : kConventions) {
    if (*convention == word) return roll;
  }
  throw BadRequest("unknown value for convention: " + Quoted(*convention) +
                   "; accepted: following, preceding, modified-following, modified-preceding");
}

Response Written(const std::ostringstream& out, records::Format format) {
  Response response;
  response.Set("Content-Type", std::string(ContentType(format)));
  response.body = out.str();
  return response;
}

// The day a request answered with, as the command writes it: its record and whether it is open.
Response OneDay(const Context& context, const Parameters& params, const BusinessCalendar& calendar,
                year_month_day date, const std::string& request) {
  const auto format = params.Format(false);
  auto day = records::LawSource().Day(date);
  day.businessDay = Answer(calendar.IsBusinessDay(date), request);
  std::ostringstream out;
  const auto writer =
      records::MakeDayWriter(WriterFor(format, params.Lang(), context.version), out);
  writer->Begin();
  writer->Day(day);
  writer->End();
  return Written(out, format);
}

Response Count(const Parameters& params, const BusinessCalendar& calendar) {
  const auto& source = records::LawSource();
  const auto first = params.Date("from", source);
  const auto last = params.Date("to", source);
  if (first > last) {
    throw BadRequest("from after to: " + Quoted(*params.Find("from")) + " is after " +
                     Quoted(*params.Find("to")) + "; accepted: from on or before to");
  }
  params.Lang();
  const auto format = params.Format(false);
  const std::string request =
      "business count " + records::IsoDate(first) + " " + records::IsoDate(last);
  // Both ends included, as the command counts.
  const int count = Answer(calendar.CountInclusive(first, last), request);
  constexpr std::string_view kColumns[] = {"from", "to", "business_days"};
  const records::Cell cells[] = {records::IsoDate(first), records::IsoDate(last),
                                 std::int64_t{count}};
  std::ostringstream out;
  const auto table = records::MakeTableWriter(format, out);
  table->Begin(kColumns);
  table->Row(cells);
  table->End();
  return Written(out, format);
}

}  // namespace

Response Business(const Context& context) {
  const auto& source = records::LawSource();
  const std::string operation(context.tail);
  if (operation == "count") {
    const auto params = Read(context, {"from", "to"});
    return Count(params, CalendarOf(params, context.calendars));
  }
  if (operation == "is") {
    const auto params = Read(context, {"date"});
    const auto date = params.Date("date", source);
    return OneDay(context, params, CalendarOf(params, context.calendars), date,
                  "business is " + records::IsoDate(date));
  }
  if (operation == "add") {
    const auto params = Read(context, {"date", "n"});
    const auto calendar = CalendarOf(params, context.calendars);
    const auto from = params.Date("date", source);
    const int n = params.Number("n", -1'000'000, 1'000'000);
    const std::string request = "business add " + records::IsoDate(from) + " " + std::to_string(n);
    return OneDay(context, params, calendar, Answer(calendar.Add(from, n), request), request);
  }
  if (operation == "next" || operation == "previous") {
    const auto params = Read(context, {"date"});
    const auto calendar = CalendarOf(params, context.calendars);
    const auto from = params.Date("date", source);
    const std::string request = "business " + operation + " " + records::IsoDate(from);
    const int step = operation == "next" ? 1 : -1;
    return OneDay(context, params, calendar, Answer(calendar.Add(from, step), request), request);
  }
  if (operation == "roll") {
    const auto params = Read(context, {"date", "convention"});
    const auto calendar = CalendarOf(params, context.calendars);
    const auto date = params.Date("date", source);
    const auto roll = ConventionOf(params);
    const std::string request = "business roll " + records::IsoDate(date);
    return OneDay(context, params, calendar, Answer(calendar.Roll(date, roll), request), request);
  }
  throw NotFound("unknown business request: " + Quoted(operation) +
                 "; accepted: is, add, count, next, previous, roll");
}

}  // namespace velunta::server

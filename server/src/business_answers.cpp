// /v1/business/{is|add|count|next|previous|roll}: the command's business subcommands, with its
// options as parameters, answered by a BusinessCalendar: one loaded at start (calendar=NAME, or
// the default), or one built for a request that adds its own choices to it.

#include <algorithm>
#include <sstream>

#include <velunta/calendar.h>
#include <velunta/records/closed_day_writer.h>
#include <velunta/records/date_texts.h>
#include <velunta/request/queries.h>

#include "answers.h"
#include "business_calendars.h"

namespace velunta::server {
namespace {

using namespace std::chrono;

// Returns the answer of a calendar request or throws BadRequest naming the request.
template <class T>
T Answer(const Result<T>& result, const std::string& request) {
  if (!result.has_value()) {
    Refuse(request::CalendarRefusal(result.error(), request, request::DateStyle::iso));
  }
  return *result;
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
  if (params.Has("closed")) additions.closed = params.Dates("closed", records::LawSource());
  if (!ChangesCalendar(base->options, additions))
    return base->calendar;  // shared: a pointer's copy
  return Checked(request::CalendarWith(base->options, additions, request::DateStyle::iso));
}

// The day a request answered with, as the command writes it: its record and whether it is open.
Response OneDay(const Context& context, const Parameters& params, const BusinessCalendar& calendar,
                year_month_day date, const std::string& request) {
  const auto format = params.Choice("format", request::kDayFormats);
  auto day = records::LawSource().Day(date);
  day.businessDay = Answer(calendar.IsBusinessDay(date), request);
  std::ostringstream out;
  const auto writer = records::MakeDayWriter(
      request::WriterFor(format, params.Choice("lang", request::kLangs), context.version), out);
  writer->Begin();
  writer->Day(day);
  writer->End();
  Response response;
  response.Set("Content-Type", std::string(ContentType(format)));
  response.body = std::move(out).str();
  return response;
}

// A request on one date: `move` gives the day answered with from the calendar and the date.
template <class Move>
Response OnDate(const Context& context, std::string_view operation, Move&& move) {
  const auto params = context.Params();
  const auto calendar = CalendarOf(params, context.calendars);
  const auto date = params.Date("date", records::LawSource());
  const std::string request = "business " + std::string(operation) + " " + records::IsoDate(date);
  const auto answered = move(calendar, date, params, request);
  // Every day between the two decided the answer: a later year's equinox is a prediction.
  context.predicted = std::max(date, answered).year() > LastAnnouncedEquinoxYear();
  return OneDay(context, params, calendar, answered, request);
}

}  // namespace

Response BusinessIs(const Context& context) {
  return OnDate(context, "is",
                [](const BusinessCalendar&, year_month_day date, const Parameters&,
                   const std::string&) { return date; });
}

Response BusinessAdd(const Context& context) {
  return OnDate(context, "add",
                [](const BusinessCalendar& calendar, year_month_day date, const Parameters& params,
                   const std::string& request) {
                  const int n = params.Count("n");
                  return Answer(calendar.Add(date, n), request + " " + std::to_string(n));
                });
}

Response BusinessNext(const Context& context) {
  return OnDate(context, "next",
                [](const BusinessCalendar& calendar, year_month_day date, const Parameters&,
                   const std::string& request) { return Answer(calendar.Add(date, 1), request); });
}

Response BusinessPrevious(const Context& context) {
  return OnDate(context, "previous",
                [](const BusinessCalendar& calendar, year_month_day date, const Parameters&,
                   const std::string& request) { return Answer(calendar.Add(date, -1), request); });
}

Response BusinessRoll(const Context& context) {
  return OnDate(context, "roll",
                [](const BusinessCalendar& calendar, year_month_day date, const Parameters& params,
                   const std::string& request) {
                  return Answer(
                      calendar.Roll(date, params.Choice("convention", request::kConventions)),
                      request);
                });
}

Response BusinessCount(const Context& context) {
  const auto params = context.Params();
  const auto calendar = CalendarOf(params, context.calendars);
  const auto& source = records::LawSource();
  const auto first = params.Date("from", source);
  const auto last = params.Date("to", source);
  if (auto refusal = request::OutOfOrder(first, last, *params.Find("from"), *params.Find("to"),
                                         "from", "to")) {
    Refuse(*refusal);
  }
  const auto format = params.Choice("format", request::kDayFormats);
  const std::string request =
      "business count " + records::IsoDate(first) + " " + records::IsoDate(last);
  // Both ends included, as the command counts.
  const int count = Answer(calendar.CountInclusive(first, last), request);
  context.predicted = last.year() > LastAnnouncedEquinoxYear();
  constexpr std::string_view kColumns[] = {"from", "to", "business_days"};
  const records::Cell cells[] = {records::IsoDate(first), records::IsoDate(last),
                                 std::int64_t{count}};
  std::ostringstream out;
  const auto table = records::MakeTableWriter(format, out);
  table->Begin(kColumns);
  table->Row(cells);
  table->End();
  Response response;
  response.Set("Content-Type", std::string(ContentType(format)));
  response.body = out.str();
  return response;
}

Response BusinessClosed(const Context& context) {
  const auto params = context.Params();
  const auto calendar = CalendarOf(params, context.calendars);
  const auto& source = records::LawSource();
  const auto [first, last] = SpanOf(context, params, source);
  const auto days = Answer(calendar.ClosedDays(first, last), "business closed");
  context.predicted = last.year() > LastAnnouncedEquinoxYear();
  const auto format = params.Choice("format", request::kListFormats);
  std::ostringstream out;
  records::WriteClosedDays(
      days, source,
      request::WriterFor(format, params.Choice("lang", request::kLangs), context.version), out);
  Response response;
  response.Set("Content-Type", std::string(ContentType(format)));
  response.body = std::move(out).str();
  return response;
}

}  // namespace velunta::server

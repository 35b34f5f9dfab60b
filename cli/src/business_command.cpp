// velunta business add DATE N | count FROM TO | next DATE | previous DATE

#include <velunta/business_days.h>

#include "arguments.h"
#include "commands.h"
#include "law_days.h"
#include "output.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;

std::string_view ActionName(BusinessAction action) {
  switch (action) {
    case BusinessAction::add:
      return "add";
    case BusinessAction::count:
      return "count";
    case BusinessAction::next:
      return "next";
    case BusinessAction::previous:
      return "previous";
  }
  return {};
}

std::string_view Usage(BusinessAction action) {
  switch (action) {
    case BusinessAction::add:
      return "business add DATE N";
    case BusinessAction::count:
      return "business count FROM TO";
    case BusinessAction::next:
      return "business next DATE";
    case BusinessAction::previous:
      return "business previous DATE";
  }
  return {};
}

std::size_t ArgumentCount(BusinessAction action) {
  return action == BusinessAction::add || action == BusinessAction::count ? 2 : 1;
}

[[noreturn]] void ThrowCalendarError(velunta::CalendarError error, const std::string& request) {
  if (error == velunta::CalendarError::outOfRange) {
    throw UsageError("result out of range: " + request +
                     "; accepted: requests answered within 1600/01/01 to 2399/12/31");
  }
  throw UsageError(std::string(velunta::Describe(error)) + ": " + request);
}

year_month_day Shift(year_month_day from, int n, const velunta::BusinessDayOptions& rules,
                     const std::string& request) {
  const auto answer = velunta::AddBusinessDays(from, n, rules);
  if (!answer) ThrowCalendarError(answer.error(), request);
  return *answer;
}

// Business days from `from` to `to`, both included.
int CountInclusive(year_month_day from, year_month_day to, const velunta::BusinessDayOptions& rules,
                   const std::string& request) {
  const auto before = velunta::CountBusinessDays(from, to, rules);  // `to` excluded
  if (!before.has_value()) ThrowCalendarError(before.error(), request);
  const auto last = velunta::IsBusinessDay(to, rules);
  if (!last.has_value()) ThrowCalendarError(last.error(), request);
  return *before + (*last ? 1 : 0);
}

}  // namespace

int RunBusiness(BusinessAction action, const std::vector<std::string>& args,
                const BusinessArgs& business, const GlobalOptions& options, std::ostream& out) {
  if (options.rules != Rules::law) {
    throw UsageError(
        "rules not available for business: 'classic'; accepted: law (business days follow the "
        "law calendar)");
  }
  RequireNoIcs(options, "business");
  if (args.size() != ArgumentCount(action)) {
    throw UsageError("wrong number of arguments for business " + std::string(ActionName(action)) +
                     ": " + std::to_string(args.size()) +
                     "; accepted: " + std::string(Usage(action)));
  }

  std::vector<year_month_day> closed;
  for (const auto& text : business.closed) closed.push_back(ReadDate(text, Rules::law));
  const velunta::BusinessDayOptions rules{.saturdayOff = !business.saturdayWorkday,
                                          .sundayOff = true,
                                          .bankClosingDays = business.bankClosingDays,
                                          .extraClosedDays = closed};
  std::string request = "business " + std::string(ActionName(action));
  for (const auto& arg : args) request += " " + arg;

  const auto first = ReadDate(args[0], Rules::law);
  if (action == BusinessAction::count) {
    const auto last = ReadDate(args[1], Rules::law);
    if (first > last) {
      throw UsageError("FROM after TO: " + Quoted(args[0]) + " is after " + Quoted(args[1]) +
                       "; accepted: FROM on or before TO");
    }
    const int count = CountInclusive(first, last, rules, request);
    if (options.format == Format::text) {
      out << count << '\n';
    } else {
      WriteTable(
          {{"from", "to", "business_days"}, {{IsoDate(first), IsoDate(last), std::int64_t{count}}}},
          options, out);
    }
    return 0;
  }

  int n = 1;
  if (action == BusinessAction::add) n = ReadCount(args[1]);
  if (action == BusinessAction::previous) n = -1;
  WriteDays({LawDay(Shift(first, n, rules, request))}, options, out);
  return 0;
}

}  // namespace velunta::cli

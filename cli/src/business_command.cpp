// velunta business: the group of business-day commands and the options they share.

#include <algorithm>
#include <string_view>

#include <velunta/calendar_file.h>
#include <velunta/request/installed_data.h>
#include <velunta/request/queries.h>

#include "arguments.h"
#include "business_options.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

constexpr const char* kBusinessShared =
    "The options of business (--calendar, --saturday-workday, --bank-closing-days, "
    "--government-closing-days, --closed) and the shared options may follow the command.";

void AddBusiness(CLI::App& parent, Commands& commands) {
  auto* business = parent.add_subcommand(
      "business", "Business days on the law calendar: neither holiday nor weekend");
  business->require_subcommand(1);
  auto& args = BusinessArgsOf(commands);
  business
      ->add_option("--calendar", args.calendarFile,
                   "a business calendar file (TOML), or the name of an installed one (banks, "
                   "government, tse); the options below add to its choices")
      ->type_name("FILE|NAME");
  business->add_flag("--saturday-workday", args.saturdayWorkday,
                     "count Saturdays as business days");
  business->add_flag("--bank-closing-days", args.bankClosingDays,
                     "close on December 31, January 2 and January 3 too");
  business->add_flag("--government-closing-days", args.governmentClosingDays,
                     "close from December 29 to January 3 too (行政機関の休日)");
  business
      ->add_option("--closed", args.closed,
                   "own closing dates, comma-separated; an impossible date is refused")
      // Split here, not by CLI11's delimiter: that copies every date three times, a tenth of a
      // second for the 144,000 dates of a long calendar.
      ->allow_extra_args(false)
      ->type_name("DATE,...");
  business->footer(
      std::string("Examples: velunta business next 2026/12/30 --bank-closing-days; velunta "
                  "business count 2026/05/01 2026/05/31\n") +
      kBusinessShared);
}

const bool kRegistered = RegisterCommand({"", 40, AddBusiness});

}  // namespace

BusinessArgs& BusinessArgsOf(Commands& commands) {
  return commands.Group<BusinessArgs>("business");
}

BusinessCalendar BusinessArgs::Calendar(const SharedOptions& shared,
                                        std::chrono::year_month_day today, bool allowIcs) const {
  if (shared.rules != Rules::law) {
    throw UsageError(
        "rules not available for business: 'classic'; accepted: law (business days follow the "
        "law calendar)");
  }
  if (!allowIcs) RequireNoIcs(shared, "business");
  BusinessCalendarOptions options;
  if (!calendarFile.empty()) {
    auto fromFile = ReadCalendarOptionsFile(request::CalendarFileFor(calendarFile));
    if (!fromFile.has_value()) throw UsageError(fromFile.error().ToString());
    options = std::move(fromFile).value();
  }
  BusinessCalendarAdditions additions{.saturdayWorkday = saturdayWorkday,
                                      .bankClosingDays = bankClosingDays,
                                      .governmentClosingDays = governmentClosingDays};
  for (const auto& list : closed) {
    const auto dates =
        Checked(request::DateList(list, shared.Source(), request::DateStyle::slash, today));
    additions.closed.insert(additions.closed.end(), dates.begin(), dates.end());
  }
  return Checked(request::CalendarWith(std::move(options), additions, request::DateStyle::slash));
}

CLI::App* AddBusinessCommand(CLI::App& business, const std::string& name,
                             const std::string& description, const std::string& example,
                             const std::string& reading) {
  auto* command = business.add_subcommand(name, description);
  std::string footer = reading;
  if (!footer.empty()) footer += '\n';
  footer.append("Example: ").append(example).append("\n").append(kBusinessShared);
  command->footer(footer);
  return command;
}

void ThrowCalendarError(CalendarError error, const std::string& request) {
  Refuse(request::CalendarRefusal(error, request, request::DateStyle::slash));
}

records::DayRecord BusinessDay(std::chrono::year_month_day date, const BusinessCalendar& calendar,
                               const SharedOptions& shared) {
  auto day = shared.Source().Day(date);
  day.businessDay = calendar.IsBusinessDay(date).value_or(false);
  return day;
}

void WriteBusinessDays(std::span<const std::chrono::year_month_day> dates,
                       const BusinessCalendar& calendar, const SharedOptions& shared,
                       const Environment& env) {
  const auto writer = records::MakeDayWriter(shared.Writer(), env.out);
  writer->Begin();
  for (const auto date : dates) writer->Day(BusinessDay(date, calendar, shared));
  writer->End();
}

}  // namespace velunta::cli

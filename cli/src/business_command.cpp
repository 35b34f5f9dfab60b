// velunta business: the group of business-day commands and the options they share.

#include "arguments.h"
#include "business_options.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

constexpr const char* kBusinessShared =
    "The options of business (--saturday-workday, --bank-closing-days, --closed) and the shared "
    "options may follow the command.";

void AddBusiness(CLI::App& parent, Commands& commands) {
  auto* business = parent.add_subcommand(
      "business", "Business days on the law calendar: neither holiday nor weekend");
  business->require_subcommand(1);
  auto& args = BusinessArgsOf(commands);
  business->add_flag("--saturday-workday", args.saturdayWorkday,
                     "count Saturdays as business days");
  business->add_flag("--bank-closing-days", args.bankClosingDays,
                     "close on December 31, January 2 and January 3 too");
  business->add_option("--closed", args.closed, "own closing dates, comma-separated")
      ->delimiter(',')
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

BusinessDayOptions BusinessArgs::Options(const SharedOptions& shared,
                                         std::chrono::year_month_day today) {
  if (shared.rules != Rules::law) {
    throw UsageError(
        "rules not available for business: 'classic'; accepted: law (business days follow the "
        "law calendar)");
  }
  RequireNoIcs(shared, "business");
  closedDates.clear();
  for (const auto& text : closed) closedDates.push_back(ReadDateWord(text, shared.Source(), today));
  return {.saturdayOff = !saturdayWorkday,
          .sundayOff = true,
          .bankClosingDays = bankClosingDays,
          .extraClosedDays = closedDates};
}

CLI::App* AddBusinessCommand(CLI::App& business, const std::string& name,
                             const std::string& description, const std::string& example) {
  auto* command = business.add_subcommand(name, description);
  command->footer("Example: " + example + "\n" + kBusinessShared);
  return command;
}

void ThrowCalendarError(CalendarError error, const std::string& request) {
  if (error == CalendarError::outOfRange) {
    throw UsageError("result out of range: " + request +
                     "; accepted: requests answered within 1600/01/01 to 2399/12/31");
  }
  throw UsageError(std::string(Describe(error)) + ": " + request);
}

void WriteBusinessDay(std::chrono::year_month_day date, const BusinessDayOptions& options,
                      const SharedOptions& shared, const Environment& env) {
  auto day = shared.Source().Day(date);
  day.businessDay = IsBusinessDay(date, options).value_or(false);
  const auto writer = records::MakeDayWriter(shared.Writer(), env.out);
  writer->Begin();
  writer->Day(day);
  writer->End();
}

}  // namespace velunta::cli

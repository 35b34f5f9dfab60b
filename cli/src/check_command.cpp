// velunta check [DATE...]

#include <algorithm>
#include <memory>
#include <vector>

#include "arguments.h"
#include "command.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;

int RunCheck(const std::vector<std::string>& texts, const SharedOptions& shared,
             const Environment& env) {
  RequireNoIcs(shared, "check");
  const auto& source = shared.Source();
  if (texts.empty() && env.inputWaiting != nullptr && env.inputWaiting()) {
    // Never answer for today when dates were piped in: they were meant to be checked.
    throw UsageError(
        "dates on standard input are read only when a DATE is '-'; accepted: velunta check - "
        "to check them, velunta check </dev/null for today");
  }
  auto dates = ReadDates(texts, source, env.today, env.in);
  if (texts.empty()) dates.push_back(env.today);

  bool allDaysOff = true;
  const auto writer = records::MakeDayWriter(shared.Writer(), env.out);
  writer->Begin();
  for (const auto date : dates) {
    const auto day = source.Day(date);
    allDaysOff = allDaysOff && day.dayOff;
    writer->Day(day);
  }
  writer->End();
  return allDaysOff ? kStatusOk : kStatusNotDayOff;
}

void AddCheck(CLI::App& parent, Commands& commands) {
  auto* check = parent.add_subcommand(
      "check",
      "Tell whether dates are days off (a holiday or a Sunday). Exit status 0 when every "
      "date is, 1 when one is not");
  auto dates = std::make_shared<std::vector<std::string>>();
  check
      ->add_option("DATE", *dates,
                   "2026/05/06, 2026/5/6, 2026-05-06, 2026年5月6日, 令和8年5月6日 or full-width "
                   "digits; default: today in Japan Standard Time")
      ->type_name("");
  check->footer(
      "Example: velunta check 2026/05/06 令和8年5月7日 --lang=en\n"
      "The shared options --rules, --lang and --format may follow the command.");
  commands.OnRun(check, dates.get(), [dates, &commands](const Environment& env) {
    return RunCheck(*dates, commands.shared(), env);
  });
}

const bool kRegistered = RegisterCommand({"", 10, AddCheck});

}  // namespace
}  // namespace velunta::cli

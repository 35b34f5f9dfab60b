// velunta check [DATE...]

#include <algorithm>
#include <memory>
#include <vector>

#include "arguments.h"
#include "command.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;

int RunCheck(const std::vector<std::string>& texts, const SharedOptions& shared,
             const Environment& env) {
  RequireNoIcs(shared, "check");
  const auto& source = shared.Source();
  const auto dates = DatesOrToday(texts, source, env, "velunta check");

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
  check->add_option("DATE", *dates, std::string(kDateHelp))->type_name("");
  check->footer(StandardInputHelp() +
                "\nExample: velunta check 2026/05/06 令和8年5月7日 --lang=en\n"
                "The shared options --rules, --lang and --format may follow the command.");
  commands.OnRun(check, dates.get(), [dates, &commands](const Environment& env) {
    return RunCheck(*dates, commands.shared(), env);
  });
}

const bool kRegistered = RegisterCommand({"", 10, AddCheck});

}  // namespace
}  // namespace velunta::cli

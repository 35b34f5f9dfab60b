// velunta list YEAR | velunta list FROM TO

#include <memory>
#include <vector>

#include "arguments.h"
#include "command.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;

struct ListArgs {
  std::vector<std::string> range;
  bool sundays = false;
};

int RunList(const ListArgs& args, const SharedOptions& shared, const Environment& env) {
  const auto& source = shared.Source();
  year_month_day first;
  year_month_day last;
  if (args.range.empty()) {
    first = env.today.year() / January / 1;
    last = env.today.year() / December / 31;
  } else if (args.range.size() == 1) {
    // A year or a month: 2026, 2026-05, 2026/5, 2026年5月.
    const bool month = request::Month(args.range[0]).has_value();
    if (month || !request::LooksLikeYear(args.range[0])) {
      first = ReadRangeEnd(args.range[0], source, env.today, RangeEnd::first);
      last = ReadRangeEnd(args.range[0], source, env.today, RangeEnd::last);
      if (!month) {
        throw UsageError("not a year or a month: " + Quoted(args.range[0]) +
                         "; accepted: list YEAR (2026), list MONTH (2026-05) or list FROM TO");
      }
    } else {
      const auto y = Checked(request::Year(args.range[0], source));
      first = y / January / 1;
      last = y / December / 31;
    }
  } else if (args.range.size() == 2) {
    first = ReadRangeEnd(args.range[0], source, env.today, RangeEnd::first);
    last = ReadRangeEnd(args.range[1], source, env.today, RangeEnd::last);
    RequireInOrder(first, last, args.range[0], args.range[1]);
  } else {
    throw UsageError("wrong number of arguments for list: " + std::to_string(args.range.size()) +
                     "; accepted: list, list YEAR, list MONTH or list FROM TO");
  }
  const auto writer = records::MakeDayWriter(shared.Writer(), env.out);
  writer->Begin();
  source.ForEachDayOff(first, last, args.sundays,
                       [&writer](const records::DayRecord& day) { writer->Day(day); });
  writer->End();
  return kStatusOk;
}

void AddList(CLI::App& parent, Commands& commands) {
  auto* list = parent.add_subcommand("list", "List the days off of a year or of a range");
  auto args = std::make_shared<ListArgs>();
  list->add_option("RANGE", args->range,
                   "YEAR, or FROM TO: two dates or years, both included (2026 2027, "
                   "2026/04/29 2026/05/06)")
      ->type_name("");
  list->add_flag("--sundays", args->sundays, "list the Sundays with no holiday too");
  list->footer(
      "Examples: velunta list 2026 --sundays; velunta list 2026/04/29 2026/05/06 --format=csv\n"
      "The shared options --rules, --lang and --format may follow the command.");
  commands.OnRun(list, &args->range, [args, &commands](const Environment& env) {
    return RunList(*args, commands.shared(), env);
  });
}

const bool kRegistered = RegisterCommand({"", 20, AddList});

}  // namespace
}  // namespace velunta::cli

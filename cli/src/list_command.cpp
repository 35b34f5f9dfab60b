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
  if (args.range.size() == 1) {
    const auto y = ReadYear(args.range[0], source);
    first = y / January / 1;
    last = y / December / 31;
  } else if (args.range.size() == 2) {
    first = ReadRangeEnd(args.range[0], source, RangeEnd::first);
    last = ReadRangeEnd(args.range[1], source, RangeEnd::last);
    if (first > last) {
      throw UsageError("FROM after TO: " + Quoted(args.range[0]) + " is after " +
                       Quoted(args.range[1]) + "; accepted: FROM on or before TO");
    }
  } else {
    throw UsageError("wrong number of arguments for list: " + std::to_string(args.range.size()) +
                     "; accepted: list YEAR or list FROM TO");
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

// velunta next [DATE] [--count N] | velunta previous [DATE] [--count N]

#include <memory>
#include <vector>

#include "arguments.h"
#include "command.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;
using Direction = records::DaySource::Direction;

// The most days one request lists: about 50 years of holidays (list answers longer spans).
constexpr int kMostDays = 1000;

struct NearestArgs {
  std::vector<std::string> date;
  std::string count = "1";
  bool sundays = false;
};

int RunNearest(const std::string& name, Direction direction, const NearestArgs& args,
               const SharedOptions& shared, const Environment& env) {
  const auto& source = shared.Source();
  if (args.date.size() > 1) {
    throw UsageError("wrong number of arguments for " + name + ": " +
                     std::to_string(args.date.size()) + "; accepted: " + name + " [DATE]");
  }
  const auto date = args.date.empty() ? env.today : ReadDateWord(args.date[0], source, env.today);
  const int count = ReadCount(args.count);
  if (count < 1 || count > kMostDays) {
    throw UsageError("count out of range for --count: " + Quoted(args.count) + "; accepted: 1 to " +
                     std::to_string(kMostDays));
  }
  // Strictly after (before) the date: the next day off from tomorrow on. The days are found
  // before any is written, so a range that runs out is refused rather than answered in part.
  const sys_days start = sys_days{date} + days{direction == Direction::forward ? 1 : -1};
  std::vector<records::DayRecord> found;
  if (source.Covers(year_month_day{start})) {
    source.ForEachDayOffFrom(year_month_day{start}, direction, args.sundays,
                             [&](const records::DayRecord& day) {
                               found.push_back(day);
                               return static_cast<int>(found.size()) < count;
                             });
  }
  if (static_cast<int>(found.size()) < count) {
    throw UsageError("only " + std::to_string(found.size()) + " of " + std::to_string(count) +
                     " days off " + (direction == Direction::forward ? "after " : "before ") +
                     records::SlashDate(date) + " within the years " +
                     std::to_string(static_cast<int>(source.FirstYear())) + " to " +
                     std::to_string(static_cast<int>(source.LastYear())) +
                     "; accepted: a date with that many days off " +
                     (direction == Direction::forward ? "after it" : "before it"));
  }
  const auto writer = records::MakeDayWriter(shared.Writer(), env.out);
  writer->Begin();
  for (const auto& day : found) writer->Day(day);
  writer->End();
  return kStatusOk;
}

void AddNearest(CLI::App& parent, Commands& commands, const std::string& name, Direction direction,
                const std::string& description, const std::string& example) {
  auto* command = parent.add_subcommand(name, description);
  auto args = std::make_shared<NearestArgs>();
  command->add_option("DATE", args->date, "a date; default: today in Japan")->type_name("");
  command->add_option("--count", args->count, "how many days off (default 1)")->type_name("N");
  command->add_flag("--sundays", args->sundays, "count the Sundays with no holiday too");
  command->footer("Example: " + example +
                  "\nThe shared options --rules, --lang and --format may follow the command.");
  commands.OnRun(command, &args->date, [name, direction, args, &commands](const Environment& env) {
    return RunNearest(name, direction, *args, commands.shared(), env);
  });
}

void AddNext(CLI::App& parent, Commands& commands) {
  AddNearest(parent, commands, "next", Direction::forward,
             "The next holidays after DATE (today in Japan by default)", "velunta next --count 3");
}

void AddPrevious(CLI::App& parent, Commands& commands) {
  AddNearest(parent, commands, "previous", Direction::backward,
             "The last holidays before DATE (today in Japan by default)",
             "velunta previous 2026/05/07");
}

const bool kNextRegistered = RegisterCommand({"", 22, AddNext});
const bool kPreviousRegistered = RegisterCommand({"", 24, AddPrevious});

}  // namespace
}  // namespace velunta::cli

// velunta next [DATE] [--count N] | velunta previous [DATE] [--count N]

#include <memory>
#include <vector>

#include <velunta/request/queries.h>

#include "arguments.h"
#include "command.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;
using Direction = records::DaySource::Direction;

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
  const int count = Checked(request::Count(args.count, 1, request::kMostNearestDays), "--count");
  const auto found = Checked(request::NearestDaysOff(source, date, direction, count, args.sundays,
                                                     request::DateStyle::slash));
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

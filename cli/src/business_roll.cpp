// velunta business roll DATE --convention following|preceding|modified-following|modified-preceding

#include <memory>

#include "arguments.h"
#include "business_options.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

struct RollArgs {
  std::vector<std::string> date;
  Roll convention = Roll::following;
};

int RunRoll(const RollArgs& args, BusinessArgs& business, const SharedOptions& shared,
            const Environment& env) {
  const auto calendar = business.Calendar(shared, env.today);
  if (args.date.size() != 1) {
    throw UsageError("wrong number of arguments for business roll: " +
                     std::to_string(args.date.size()) + "; accepted: business roll DATE");
  }
  const auto date = ReadDateWord(args.date[0], shared.Source(), env.today);
  const auto answer = Answer(calendar.Roll(date, args.convention), "business roll " + args.date[0]);
  WriteBusinessDay(answer, calendar, shared, env);
  return kStatusOk;
}

void AddRoll(CLI::App& parent, Commands& commands) {
  auto* roll = AddBusinessCommand(
      parent, "roll",
      "DATE itself when it is a business day, else the business day the convention picks",
      "velunta business roll 2026/05/03 --convention modified-following");
  auto args = std::make_shared<RollArgs>();
  roll->add_option("DATE", args->date, "a date")->type_name("");
  roll->add_option("--convention", args->convention,
                   "following (default): the next business day; preceding: the last one; "
                   "modified-following: following unless that leaves the month; "
                   "modified-preceding: preceding unless that leaves the month")
      ->transform(Choice(request::kConventions))
      ->type_name(ChoiceNames(request::kConventions));
  commands.OnRun(roll, &args->date, [args, &commands](const Environment& env) {
    return RunRoll(*args, BusinessArgsOf(commands), commands.shared(), env);
  });
}

const bool kRegistered = RegisterCommand({"business", 50, AddRoll});

}  // namespace
}  // namespace velunta::cli

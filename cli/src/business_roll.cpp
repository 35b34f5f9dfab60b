// velunta business roll [DATE...|-] --convention
// following|preceding|modified-following|modified-preceding

#include <memory>

#include "arguments.h"
#include "business_options.h"

namespace velunta::cli {
namespace {

struct RollArgs {
  std::vector<std::string> date;
  Roll convention = Roll::following;
};

int RunRoll(const RollArgs& args, BusinessArgs& business, const SharedOptions& shared,
            const Environment& env) {
  const auto calendar = business.Calendar(shared, env.today);
  const auto dates = DatesOrToday(args.date, shared.Source(), env, "velunta business roll");
  std::vector<std::chrono::year_month_day> answers;
  answers.reserve(dates.size());
  for (const auto date : dates) {
    const std::string request =
        "business roll " + request::DateText(date, request::DateStyle::slash);
    answers.push_back(Answer(calendar.Roll(date, args.convention), request));
  }
  WriteBusinessDays(answers, calendar, shared, env);
  return kStatusOk;
}

void AddRoll(CLI::App& parent, Commands& commands) {
  auto* roll = AddBusinessCommand(
      parent, "roll",
      "Each DATE (today by default) itself when it is a business day, else the business day the "
      "convention picks",
      "velunta business roll 2026/05/03 --convention modified-following", StandardInputHelp());
  auto args = std::make_shared<RollArgs>();
  roll->add_option("DATE", args->date, std::string(kDateHelp))->type_name("");
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

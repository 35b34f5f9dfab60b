// velunta business next [DATE...|-] | velunta business previous [DATE...|-]

#include <memory>

#include "arguments.h"
#include "business_options.h"

namespace velunta::cli {
namespace {

int RunStep(const std::string& name, int step, const std::vector<std::string>& args,
            BusinessArgs& business, const SharedOptions& shared, const Environment& env) {
  const auto calendar = business.Calendar(shared, env.today);
  const auto dates = DatesOrToday(args, shared.Source(), env, "velunta business " + name);
  std::vector<std::chrono::year_month_day> answers;
  answers.reserve(dates.size());
  for (const auto from : dates) {
    const std::string request =
        "business " + name + " " + request::DateText(from, request::DateStyle::slash);
    answers.push_back(Answer(calendar.Add(from, step), request));
  }
  WriteBusinessDays(answers, calendar, shared, env);
  return kStatusOk;
}

void AddStep(CLI::App& parent, Commands& commands, const std::string& name, int step,
             const std::string& description, const std::string& example) {
  auto* command = AddBusinessCommand(parent, name, description, example, StandardInputHelp());
  auto args = std::make_shared<std::vector<std::string>>();
  command->add_option("DATE", *args, std::string(kDateHelp))->type_name("");
  commands.OnRun(command, args.get(), [name, step, args, &commands](const Environment& env) {
    return RunStep(name, step, *args, BusinessArgsOf(commands), commands.shared(), env);
  });
}

void AddNext(CLI::App& parent, Commands& commands) {
  AddStep(parent, commands, "next", 1, "The first business day after each DATE (today by default)",
          "velunta business next 2026/12/30 --bank-closing-days");
}

void AddPrevious(CLI::App& parent, Commands& commands) {
  AddStep(parent, commands, "previous", -1,
          "The last business day before each DATE (today by default)",
          "velunta business previous 2027/01/04");
}

const bool kNextRegistered = RegisterCommand({"business", 30, AddNext});
const bool kPreviousRegistered = RegisterCommand({"business", 40, AddPrevious});

}  // namespace
}  // namespace velunta::cli

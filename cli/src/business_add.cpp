// velunta business add DATE N

#include <memory>

#include <velunta/request/queries.h>

#include "arguments.h"
#include "business_options.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

int RunAdd(const std::vector<std::string>& args, BusinessArgs& business,
           const SharedOptions& shared, const Environment& env) {
  const auto calendar = business.Calendar(shared, env.today);
  if (args.size() != 2) {
    throw UsageError("wrong number of arguments for business add: " + std::to_string(args.size()) +
                     "; accepted: business add DATE N");
  }
  const auto from = ReadDateWord(args[0], shared.Source(), env.today);
  const int n =
      Checked(request::Count(args[1], -request::kMostBusinessDays, request::kMostBusinessDays));
  const auto answer = Answer(calendar.Add(from, n), "business add " + args[0] + " " + args[1]);
  WriteBusinessDays({&answer, 1}, calendar, shared, env);
  return kStatusOk;
}

void AddAdd(CLI::App& parent, Commands& commands) {
  auto* add = AddBusinessCommand(
      parent, "add",
      "The date N business days after DATE (before it for a negative N); N = 0 gives DATE itself, "
      "even when it is closed (business roll moves a closed day)",
      "velunta business add 2026/04/30 3 --closed 2026/05/07");
  auto args = std::make_shared<std::vector<std::string>>();
  add->add_option("ARGS", *args, "DATE N")->type_name("");
  commands.OnRun(add, args.get(), [args, &commands](const Environment& env) {
    return RunAdd(*args, BusinessArgsOf(commands), commands.shared(), env);
  });
}

const bool kRegistered = RegisterCommand({"business", 10, AddAdd});

}  // namespace
}  // namespace velunta::cli

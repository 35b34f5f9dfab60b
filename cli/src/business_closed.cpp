// velunta business closed YEAR | FROM TO: the closed days and why each is closed.

#include <memory>

#include <velunta/records/closed_day_writer.h>

#include "arguments.h"
#include "business_options.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;

int RunClosed(const std::vector<std::string>& args, BusinessArgs& business,
              const SharedOptions& shared, const Environment& env) {
  const auto calendar = business.Calendar(shared, env.today, true);
  const auto& source = shared.Source();
  year_month_day first;
  year_month_day last;
  if (args.size() == 1) {
    first = ReadRangeEnd(args[0], source, env.today, RangeEnd::first);
    last = ReadRangeEnd(args[0], source, env.today, RangeEnd::last);
  } else if (args.size() == 2) {
    first = ReadRangeEnd(args[0], source, env.today, RangeEnd::first);
    last = ReadRangeEnd(args[1], source, env.today, RangeEnd::last);
  } else {
    throw UsageError(
        "wrong number of arguments for business closed: " + std::to_string(args.size()) +
        "; accepted: business closed YEAR, MONTH, or FROM TO");
  }
  if (args.size() == 2) RequireInOrder(first, last, args[0], args[1]);
  const auto days = Answer(calendar.ClosedDays(first, last), "business closed");
  // Written by the records, as /v1/business/closed writes them.
  records::WriteClosedDays(days, source, shared.Writer(), env.out);
  return kStatusOk;
}

void AddClosed(CLI::App& parent, Commands& commands) {
  auto* closed = AddBusinessCommand(
      parent, "closed",
      "The closed days of a year, a month or FROM TO (both included), with why each is closed",
      "velunta business closed 2026 --calendar tokyo.toml --format=csv");
  auto args = std::make_shared<std::vector<std::string>>();
  closed->add_option("RANGE", *args, "YEAR, MONTH (2026-12) or FROM TO")->type_name("");
  commands.OnRun(closed, args.get(), [args, &commands](const Environment& env) {
    return RunClosed(*args, BusinessArgsOf(commands), commands.shared(), env);
  });
}

const bool kRegistered = RegisterCommand({"business", 60, AddClosed});

}  // namespace
}  // namespace velunta::cli

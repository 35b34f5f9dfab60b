// velunta business count FROM TO

#include <memory>

#include "arguments.h"
#include "business_options.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;

int RunCount(const std::vector<std::string>& args, BusinessArgs& business,
             const SharedOptions& shared, const Environment& env) {
  const auto calendar = business.Calendar(shared, env.today);
  if (args.size() != 2) {
    throw UsageError("wrong number of arguments for business count: " +
                     std::to_string(args.size()) + "; accepted: business count FROM TO");
  }
  const auto first = ReadDateWord(args[0], shared.Source(), env.today);
  const auto last = ReadDateWord(args[1], shared.Source(), env.today);
  RequireInOrder(first, last, args[0], args[1]);
  const std::string request = "business count " + args[0] + " " + args[1];
  // The command counts both ends; the library's Count leaves the last out.
  const int count = Answer(calendar.CountInclusive(first, last), request);
  if (shared.format == records::Format::text) {
    env.out << count << '\n';
    return kStatusOk;
  }
  constexpr std::string_view kColumns[] = {"from", "to", "business_days"};
  const records::Cell cells[] = {records::IsoDate(first), records::IsoDate(last),
                                 std::int64_t{count}};
  const auto table = records::MakeTableWriter(shared.format, env.out);
  table->Begin(kColumns);
  table->Row(cells);
  table->End();
  return kStatusOk;
}

void AddCount(CLI::App& parent, Commands& commands) {
  auto* count = AddBusinessCommand(
      parent, "count",
      "The number of business days from FROM to TO, both included (the library's Count leaves "
      "TO out)",
      "velunta business count 2026/05/01 2026/05/31");
  auto args = std::make_shared<std::vector<std::string>>();
  count->add_option("ARGS", *args, "FROM TO")->type_name("");
  commands.OnRun(count, args.get(), [args, &commands](const Environment& env) {
    return RunCount(*args, BusinessArgsOf(commands), commands.shared(), env);
  });
}

const bool kRegistered = RegisterCommand({"business", 20, AddCount});

}  // namespace
}  // namespace velunta::cli

// velunta equinox YEAR...

#include <memory>
#include <vector>

#include <velunta/request/queries.h>

#include "arguments.h"
#include "command.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;

int RunEquinox(const std::vector<std::string>& texts, const SharedOptions& shared,
               const Environment& env) {
  RequireNoIcs(shared, "equinox");
  if (texts.empty()) throw UsageError("no year given for equinox; accepted: equinox YEAR...");
  const auto& source = shared.Source();
  std::vector<year> years;
  for (const auto& text : texts) {
    years.push_back(Checked(request::EquinoxYear(text, source)));
  }

  if (shared.format == records::Format::text) {
    for (const auto y : years) {
      const auto both = source.Equinoxes(y);
      env.out << records::EquinoxLine(both.vernal, shared.lang) << '\n'
              << records::EquinoxLine(both.autumnal, shared.lang) << '\n';
    }
    return kStatusOk;
  }
  const auto table = records::MakeTableWriter(shared.format, env.out);
  table->Begin(records::EquinoxColumns());
  for (const auto y : years) {
    const auto both = source.Equinoxes(y);
    table->Row(records::EquinoxCells(both.vernal));
    table->Row(records::EquinoxCells(both.autumnal));
  }
  table->End();
  return kStatusOk;
}

void AddEquinox(CLI::App& parent, Commands& commands) {
  auto* equinox = parent.add_subcommand(
      "equinox",
      "The vernal and autumnal equinox days of years: the instants in JST and whether "
      "each day is official or predicted");
  auto years = std::make_shared<std::vector<std::string>>();
  equinox->add_option("YEAR", *years, "one or more years")->type_name("");
  equinox->footer(
      "Example: velunta equinox 2026 2030 --format=json\n"
      "The shared options --rules, --lang and --format may follow the command.");
  commands.OnRun(equinox, years.get(), [years, &commands](const Environment& env) {
    return RunEquinox(*years, commands.shared(), env);
  });
}

const bool kRegistered = RegisterCommand({"", 30, AddEquinox});

}  // namespace
}  // namespace velunta::cli

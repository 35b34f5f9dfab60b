// velunta business is [DATE...|-]: for cron, "is today a business day?"

#include <memory>

#include "arguments.h"
#include "business_options.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;

std::string_view Verdict(bool open, records::Lang lang) {
  if (lang == records::Lang::en) return open ? " (business day)" : " (closed)";
  return open ? "（営業日）" : "（休業日）";
}

int RunIs(const std::vector<std::string>& texts, BusinessArgs& business,
          const SharedOptions& shared, const Environment& env) {
  const auto calendar = business.Calendar(shared, env.today);
  const auto dates = DatesOrToday(texts, shared.Source(), env, "velunta business is");

  bool allOpen = true;
  const auto writer = records::MakeDayWriter(shared.Writer(), env.out);
  writer->Begin();
  for (const auto date : dates) {
    const auto day = BusinessDay(date, calendar, shared);
    allOpen = allOpen && *day.businessDay;
    if (shared.format == records::Format::text) {
      env.out << records::DayLine(day, shared.lang) << Verdict(*day.businessDay, shared.lang)
              << '\n';
    } else {
      writer->Day(day);
    }
  }
  writer->End();
  return allOpen ? kStatusOk : kStatusNotDayOff;
}

void AddIs(CLI::App& parent, Commands& commands) {
  auto* is = AddBusinessCommand(
      parent, "is",
      "Tell whether dates are business days. Exit status 0 when every date is, 1 when one is "
      "not, 2 bad input",
      "velunta business is --bank-closing-days >/dev/null && run-the-job", StandardInputHelp());
  auto dates = std::make_shared<std::vector<std::string>>();
  is->add_option("DATE", *dates, std::string(kDateHelp))->type_name("");
  commands.OnRun(is, dates.get(), [dates, &commands](const Environment& env) {
    return RunIs(*dates, BusinessArgsOf(commands), commands.shared(), env);
  });
}

const bool kRegistered = RegisterCommand({"business", 5, AddIs});

}  // namespace
}  // namespace velunta::cli

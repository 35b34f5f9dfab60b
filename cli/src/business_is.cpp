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
  auto dates = ReadDates(texts, shared.Source(), env.today, env.in);
  if (texts.empty()) dates.push_back(env.today);

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
      "not; no DATE means today in Japan, - reads dates from standard input",
      "velunta business is --bank-closing-days && run-the-job");
  auto dates = std::make_shared<std::vector<std::string>>();
  is->add_option("DATE", *dates, "dates, or - for one date a line on standard input")
      ->type_name("");
  commands.OnRun(is, dates.get(), [dates, &commands](const Environment& env) {
    return RunIs(*dates, BusinessArgsOf(commands), commands.shared(), env);
  });
}

const bool kRegistered = RegisterCommand({"business", 5, AddIs});

}  // namespace
}  // namespace velunta::cli

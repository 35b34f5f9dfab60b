// velunta business closed YEAR | FROM TO: the closed days and why each is closed.

#include <memory>

#include "arguments.h"
#include "business_options.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;

constexpr std::string_view kColumns[] = {"date",    "weekday",   "name",    "name_en",   "kind",
                                         "day_off", "predicted", "reasons", "reasons_ja"};

// Returns the reasons joined: ids with ";" (holiday;weekend), or the labels of a language with
// "・" / ", ".
std::string Joined(const ClosedReasons& reasons, std::string_view (*text)(ClosedReason),
                   std::string_view separator) {
  std::string joined;
  for (const auto reason : reasons.List()) {
    if (!joined.empty()) joined += separator;
    joined += text(reason);
  }
  return joined;
}

std::string ClosedLine(const records::DayRecord& day, const ClosedDay& closed, records::Lang lang) {
  std::string line = records::DayLine(day, lang);
  line += lang == records::Lang::en ? " [" : " 【";
  line += lang == records::Lang::en ? Joined(closed.reasons, ClosedReasonNameEn, ", ")
                                    : Joined(closed.reasons, ClosedReasonName, "・");
  line += lang == records::Lang::en ? "]" : "】";
  return line;
}

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

  if (shared.format == records::Format::csv || shared.format == records::Format::json) {
    const auto table = records::MakeTableWriter(shared.format, env.out, shared.byteOrderMark);
    table->Begin(kColumns);
    for (const auto& closed : days) {
      const auto day = source.Day(closed.date);
      const records::Cell cells[] = {records::IsoDate(day.date),
                                     records::WeekdayText(day.date, records::Lang::en),
                                     day.name,
                                     day.nameEn,
                                     std::string(records::KindId(day.kind)),
                                     day.dayOff,
                                     day.predicted,
                                     Joined(closed.reasons, ClosedReasonId, ";"),
                                     Joined(closed.reasons, ClosedReasonName, "・")};
      table->Row(cells);
    }
    table->End();
    return kStatusOk;
  }
  if (shared.format == records::Format::ics) {
    // A calendar program shows each closed day as an event named by its holiday or its reasons.
    const auto writer = records::MakeDayWriter(shared.Writer(), env.out);
    writer->Begin();
    for (const auto& closed : days) {
      auto day = source.Day(closed.date);
      if (!IsHolidayKind(day.kind)) {
        day.name = Joined(closed.reasons, ClosedReasonName, "・");
        day.nameEn = Joined(closed.reasons, ClosedReasonNameEn, ", ");
      }
      day.dayOff = true;
      day.businessDay = false;
      writer->Day(day);
    }
    writer->End();
    return kStatusOk;
  }
  for (const auto& closed : days) {
    env.out << ClosedLine(source.Day(closed.date), closed, shared.lang) << '\n';
  }
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

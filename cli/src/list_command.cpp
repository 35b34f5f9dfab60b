// velunta list YEAR | velunta list FROM TO

#include "arguments.h"
#include "classic_days.h"
#include "commands.h"
#include "law_days.h"
#include "output.h"
#include "usage_error.h"

namespace velunta::cli {

int RunList(const std::vector<std::string>& args, bool sundays, const GlobalOptions& options,
            std::ostream& out) {
  std::chrono::year_month_day first;
  std::chrono::year_month_day last;
  if (args.size() == 1) {
    const auto y = ReadYear(args[0], options.rules);
    first = y / std::chrono::January / 1;
    last = y / std::chrono::December / 31;
  } else if (args.size() == 2) {
    first = ReadRangeEnd(args[0], options.rules, RangeEnd::first);
    last = ReadRangeEnd(args[1], options.rules, RangeEnd::last);
    if (first > last) {
      throw UsageError("FROM after TO: " + Quoted(args[0]) + " is after " + Quoted(args[1]) +
                       "; accepted: FROM on or before TO");
    }
  } else {
    throw UsageError("wrong number of arguments for list: " + std::to_string(args.size()) +
                     "; accepted: list YEAR or list FROM TO");
  }
  const auto days = options.rules == Rules::law ? LawDays(first, last, sundays)
                                                : ClassicDays(first, last, sundays);
  WriteDays(days, options, out);
  return 0;
}

}  // namespace velunta::cli

#pragma once
// The subcommands. Each reads its arguments, writes its answer to `out` and returns the exit
// status; bad input throws UsageError before anything is written.

#include <ostream>
#include <string>
#include <vector>

#include "options.h"

namespace velunta::cli {

// check [DATE...]: one line per date (today in Japan when none is given); returns 0 when every
// date is a day off, 1 when one is not.
int RunCheck(const std::vector<std::string>& dates, const GlobalOptions& options,
             std::ostream& out);

// list YEAR | list FROM TO: the days off of a year or of a range of dates or years.
int RunList(const std::vector<std::string>& args, bool sundays, const GlobalOptions& options,
            std::ostream& out);

// equinox YEAR...: both equinox days of each year, with the instants under the law calendar.
int RunEquinox(const std::vector<std::string>& years, const GlobalOptions& options,
               std::ostream& out);

struct BusinessArgs {
  bool saturdayWorkday = false;
  bool bankClosingDays = false;
  std::vector<std::string> closed;  // dates as typed
};

enum class BusinessAction { add, count, next, previous };

// business add DATE N | count FROM TO | next DATE | previous DATE, on the law calendar.
int RunBusiness(BusinessAction action, const std::vector<std::string>& args,
                const BusinessArgs& business, const GlobalOptions& options, std::ostream& out);

}  // namespace velunta::cli

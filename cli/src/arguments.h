#pragma once
// Reading the command's arguments: the request layer's readers, their refusals thrown as the
// UsageError the command prints. Relative words (today, tomorrow, yesterday) are the command's:
// every DATE takes them.

#include <chrono>
#include <istream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <velunta/records/day_source.h>
#include <velunta/request/refusal.h>
#include <velunta/request/values.h>
#include <velunta/runtime/utf8.h>

#include "run.h"

namespace velunta::cli {

// Quotes what the user typed, on one line and short (see runtime::Quoted).
using request::RangeEnd;
using runtime::Quoted;

// What a DATE argument takes, as the help of every command that reads dates says it.
inline constexpr std::string_view kDateHelp =
    "2026/05/06, 2026-05-06, YYYYMMDD (20260506, as date +%Y%m%d prints), 2026年5月6日, "
    "令和8年5月6日 or full-width digits; today, tomorrow or yesterday in Japan; - reads dates "
    "from standard input, one a line";

// Returns how the commands whose missing DATE means today treat standard input (see
// DatesOrToday), for their help.
std::string StandardInputHelp();

// Throws the refusal as a UsageError: "PROBLEM[ for OPTION]: 'TEXT'; accepted: …".
[[noreturn]] void Refuse(const request::Refusal& refusal, std::string_view option = {});

// Returns what was read, or throws its refusal (see Refuse).
template <class T>
T Checked(request::Reading<T> reading, std::string_view option = {}) {
  return std::move(reading).Or(
      [option](const request::Refusal& refusal) { Refuse(refusal, option); });
}

// Returns the date of a DATE argument (see request::Date), the relative words included.
// Example: ("tomorrow", source, 2026-05-06) -> 2026-05-07.
std::chrono::year_month_day ReadDateWord(std::string_view text, const records::DaySource& source,
                                         std::chrono::year_month_day today);

// Returns the dates of DATE arguments in order; a "-" stands for the dates on standard input,
// one a line, blank lines skipped, a leading UTF-8 byte-order mark too. Throws UsageError naming
// the argument, or the line number of standard input, that holds no date.
std::vector<std::chrono::year_month_day> ReadDates(std::span<const std::string> texts,
                                                   const records::DaySource& source,
                                                   std::chrono::year_month_day today,
                                                   std::istream& in);

// Returns the dates of DATE arguments as ReadDates does, or today in Japan when there are none.
// With none, bytes on standard input are refused, whenever they arrive, since they were meant to
// be read with '-'; an input left open and silent gets one line on env.err saying the answer is
// about today. `command` names the command in the refusal: "velunta business is".
std::vector<std::chrono::year_month_day> DatesOrToday(std::span<const std::string> texts,
                                                      const records::DaySource& source,
                                                      const Environment& env,
                                                      std::string_view command);

// Returns the date a range argument stands for: a year or a month as its first or last day, or
// a date. Example: ("2026", last) -> 2026-12-31.
std::chrono::year_month_day ReadRangeEnd(std::string_view text, const records::DaySource& source,
                                         std::chrono::year_month_day today, RangeEnd end);

// Throws the command's refusal of FROM after TO.
void RequireInOrder(std::chrono::year_month_day first, std::chrono::year_month_day last,
                    std::string_view firstText, std::string_view lastText);

}  // namespace velunta::cli

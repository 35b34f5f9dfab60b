#include "arguments.h"

#include "usage_error.h"

namespace velunta::cli {

using namespace std::chrono;
using request::DateStyle;

void Refuse(const request::Refusal& refusal, std::string_view option) {
  throw UsageError(request::Worded(refusal, option));
}

year_month_day ReadDateWord(std::string_view text, const records::DaySource& source,
                            year_month_day today) {
  return Checked(request::Date(text, source, DateStyle::slash, today));
}

std::vector<year_month_day> ReadDates(std::span<const std::string> texts,
                                      const records::DaySource& source, year_month_day today,
                                      std::istream& in) {
  std::vector<year_month_day> dates;
  bool stdinRead = false;
  for (const auto& text : texts) {
    if (text != "-") {
      dates.push_back(ReadDateWord(text, source, today));
      continue;
    }
    if (stdinRead) throw UsageError("standard input given twice: '-'; accepted: one '-'");
    stdinRead = true;
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
      const auto first = line.find_first_not_of(" \t\r");
      if (first == std::string::npos) continue;  // a blank line
      const auto last = line.find_last_not_of(" \t\r");
      const std::string_view date = std::string_view(line).substr(first, last - first + 1);
      auto read = request::Date(date, source, DateStyle::slash, today);
      if (!read.has_value()) {
        throw UsageError("line " + std::to_string(number) +
                         " of standard input: " + request::Worded(read.refusal()));
      }
      dates.push_back(*read);
    }
    if (in.bad()) throw UsageError("cannot read standard input");
  }
  return dates;
}

year_month_day ReadRangeEnd(std::string_view text, const records::DaySource& source,
                            year_month_day today, RangeEnd end) {
  return Checked(request::RangeEndDate(text, source, end, DateStyle::slash, today));
}

void RequireInOrder(year_month_day first, year_month_day last, std::string_view firstText,
                    std::string_view lastText) {
  if (auto refusal = request::OutOfOrder(first, last, firstText, lastText, "FROM", "TO")) {
    Refuse(*refusal);
  }
}

}  // namespace velunta::cli

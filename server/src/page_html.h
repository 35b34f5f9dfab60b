#pragma once
// The year page's HTML, written from what the page answer found: no question is asked here.

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include <velunta/records/day_record.h>

#include "page_words.h"

namespace velunta::server {

struct PageView {
  const PageWords& words;
  records::Lang lang = records::Lang::ja;
  std::chrono::year year;
  std::chrono::year firstYear;  // the years the page links to
  std::chrono::year lastYear;
  std::chrono::year_month_day today;
  std::optional<records::DayRecord> checked;                    // the date looked up
  std::map<std::chrono::sys_days, records::DayRecord> daysOff;  // of the year shown
  std::string problem;         // why the request was refused, or empty
  std::string_view publicUrl;  // without a final '/', or empty
};

// Returns the whole page.
std::string PageHtml(const PageView& view);

// Returns a text with &, <, >, " and ' escaped for HTML.
std::string Escaped(std::string_view text);

}  // namespace velunta::server

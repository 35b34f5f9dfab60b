// The calendar file: TOML read by toml++ (the one file that includes it), then every key and value
// checked against what BusinessCalendarOptions can hold, the first mistake reported with its line.

#include <velunta/calendar_file.h>

#include <array>
#include <optional>
#include <sstream>

#include <toml++/toml.h>

#include "small_file.h"
#include "toml_reading.h"

namespace velunta {
namespace {

using detail::Cat;
using detail::Digits;
using detail::LineOf;
using detail::OneLine;
using detail::TypeName;
using std::chrono::day;
using std::chrono::month;
using std::chrono::month_day;
using std::chrono::weekday;
using std::chrono::year;
using std::chrono::year_month_day;

constexpr std::string_view kKeys =
    "weekend, national_holidays, bank_closing_days, government_closing_days, yearly_closed, "
    "closed, working";

constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday"};

// A mistake found at a node; turned into a CalendarFileError with the file name at the top.
struct Mistake {
  std::size_t line;
  std::string message;
};

// Returns the month-day of "MM-DD", or nullopt for another form; the month-day may be invalid.
std::optional<month_day> ParseMonthDay(std::string_view text) {
  if (text.size() != 5 || text[2] != '-') return std::nullopt;
  const auto m = Digits(text, 0, 2);
  const auto d = Digits(text, 3, 2);
  if (!m || !d) return std::nullopt;
  return month{*m} / day{*d};
}

class Reader {
 public:
  // Returns the mistake on the earliest line, if any: toml++ keeps the keys sorted by name, not in
  // the order of the file.
  std::optional<Mistake> Read(const toml::table& table, BusinessCalendarOptions& options) {
    std::optional<Mistake> first;
    for (const auto& [key, node] : table) {
      const std::string_view name = key.str();
      std::optional<Mistake> mistake;
      if (name == "weekend") {
        mistake = ReadWeekend(key, node, options.weekend);
      } else if (name == "national_holidays") {
        mistake = ReadFlag(key, node, options.nationalHolidays);
      } else if (name == "bank_closing_days") {
        mistake = ReadFlag(key, node, options.bankClosingDays);
      } else if (name == "government_closing_days") {
        mistake = ReadFlag(key, node, options.governmentClosingDays);
      } else if (name == "yearly_closed") {
        mistake = ReadRanges(key, node, options.yearlyClosed);
      } else if (name == "closed") {
        mistake = ReadDates(key, node, options.closed);
      } else if (name == "working") {
        mistake = ReadDates(key, node, options.working);
      } else {
        mistake =
            Mistake{LineOf(key.source()), Cat({"unknown key '", name, "'; accepted: ", kKeys})};
      }
      if (mistake && (!first || mistake->line < first->line)) first = std::move(mistake);
    }
    return first;
  }

 private:
  static std::optional<Mistake> ReadFlag(const toml::key& key, const toml::node& node, bool& flag) {
    const auto* value = node.as_boolean();
    if (value == nullptr) return WrongType(key, node, "true or false");
    flag = value->get();
    return std::nullopt;
  }

  static std::optional<Mistake> WrongType(const toml::key& key, const toml::node& node,
                                          std::string_view wanted) {
    return Mistake{LineOf(node.source()),
                   Cat({key.str(), " must be ", wanted, ", not ", TypeName(node.type())})};
  }

  // Calls read(element, text) for each element of an array of texts.
  template <class ReadText>
  static std::optional<Mistake> ForEachText(const toml::key& key, const toml::node& node,
                                            std::string_view wanted, ReadText read) {
    const auto* array = node.as_array();
    if (array == nullptr) return WrongType(key, node, Cat({"an array of ", wanted}));
    for (const toml::node& element : *array) {
      const auto* text = element.as_string();
      if (text == nullptr) return WrongType(key, element, std::string(wanted));
      if (auto mistake = read(element, std::string_view{text->get()})) return mistake;
    }
    return std::nullopt;
  }

  static std::optional<Mistake> ReadWeekend(const toml::key& key, const toml::node& node,
                                            WeekdaySet& weekend) {
    weekend = {};
    return ForEachText(
        key, node, "weekday names such as \"saturday\"",
        [&](const toml::node& element, std::string_view text) -> std::optional<Mistake> {
          for (unsigned c = 0; c < kWeekdayNames.size(); ++c) {
            if (text != kWeekdayNames[c]) continue;
            if (weekend.Contains(weekday{c})) {
              return Mistake{LineOf(element.source()),
                             Cat({"'", text, "' listed twice in ", key.str()})};
            }
            weekend.Add(weekday{c});
            return std::nullopt;
          }
          return Mistake{
              LineOf(element.source()),
              Cat({"bad weekday '", text, "' in ", key.str(),
                   "; accepted: monday, tuesday, wednesday, thursday, friday, saturday, sunday"})};
        });
  }

  static std::optional<Mistake> ReadRanges(const toml::key& key, const toml::node& node,
                                           std::vector<MonthDayRange>& ranges) {
    return ForEachText(
        key, node, "ranges such as \"12-29..01-03\"",
        [&](const toml::node& element, std::string_view text) -> std::optional<Mistake> {
          const auto bad = [&](std::string_view why) {
            return Mistake{LineOf(element.source()),
                           Cat({"bad range '", text, "' in ", key.str(), why})};
          };
          const auto dots = text.find("..");
          if (dots == std::string_view::npos) {
            return bad("; accepted: MM-DD..MM-DD, e.g. 12-29..01-03");
          }
          const auto first = ParseMonthDay(text.substr(0, dots));
          const auto last = ParseMonthDay(text.substr(dots + 2));
          if (!first || !last) return bad("; accepted: MM-DD..MM-DD, e.g. 12-29..01-03");
          for (const auto md : {*first, *last}) {
            if (!md.ok()) return bad(": no such day in any year");
          }
          ranges.push_back({*first, *last});
          return std::nullopt;
        });
  }

  static std::optional<Mistake> CheckDate(const toml::key& key, const toml::node& element,
                                          std::string_view text, year_month_day date) {
    const auto bad = [&](std::string_view why) {
      return Mistake{LineOf(element.source()), Cat({"bad date '", text, "' in ", key.str(), why})};
    };
    if (!date.ok()) return bad(": no such day");
    if (!IsCovered(date)) return bad(": out of range; accepted: 1600-01-01 to 2399-12-31");
    return std::nullopt;
  }

  static std::optional<Mistake> ReadDates(const toml::key& key, const toml::node& node,
                                          std::vector<year_month_day>& dates) {
    const auto* array = node.as_array();
    constexpr std::string_view kWanted = "dates such as \"2026-05-01\"";
    if (array == nullptr) return WrongType(key, node, Cat({"an array of ", kWanted}));
    dates.reserve(dates.size() + array->size());
    for (const toml::node& element : *array) {
      year_month_day date;
      std::string text;
      if (const auto* native = element.as_date()) {
        const toml::date value = native->get();
        date = year{value.year} / month{value.month} / day{value.day};
        std::ostringstream out;
        out << value;
        text = out.str();
      } else if (const auto* string = element.as_string()) {
        text = string->get();
        const auto y = Digits(text, 0, 4);
        const auto m = Digits(text, 5, 2);
        const auto d = Digits(text, 8, 2);
        if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !y || !m || !d) {
          return Mistake{LineOf(element.source()),
                         Cat({"bad date '", text, "' in ", key.str(), "; accepted: YYYY-MM-DD"})};
        }
        date = year{static_cast<int>(*y)} / month{*m} / day{*d};
      } else {
        return WrongType(key, element, kWanted);
      }
      if (auto mistake = CheckDate(key, element, text, date)) return mistake;
      dates.push_back(date);
    }
    return std::nullopt;
  }
};

}  // namespace

std::string CalendarFileError::ToString() const {
  if (line == 0) return Cat({file, ": ", message});
  return Cat({file, ":", std::to_string(line), ": ", message});
}

CalendarFileResult<BusinessCalendarOptions> ReadCalendarOptions(std::string_view text,
                                                                std::string_view fileName) {
  const std::string file(fileName);
  try {
    const toml::table table = toml::parse(text, fileName);
    BusinessCalendarOptions options;
    if (auto mistake = Reader{}.Read(table, options)) {
      return CalendarFileError{file, mistake->line, OneLine(mistake->message)};
    }
    return options;
  } catch (const toml::parse_error& error) {
    return CalendarFileError{file, LineOf(error.source()), OneLine(error.description())};
  }
}

CalendarFileResult<BusinessCalendarOptions> ReadCalendarOptionsFile(
    const std::filesystem::path& path) {
  auto bytes = detail::ReadSmallFile(path);
  if (bytes.index() == 1) {
    return CalendarFileError{path.string(), 0, "cannot read the file: " + std::get<1>(bytes)};
  }
  return ReadCalendarOptions(std::get<0>(bytes), path.string());
}

namespace {

CalendarFileResult<BusinessCalendar> MakeFrom(CalendarFileResult<BusinessCalendarOptions> options,
                                              std::string_view fileName) {
  if (!options) return options.error();
  auto calendar = BusinessCalendar::Make(*options);
  // The reader has checked every value Make checks; this answers should they ever differ.
  if (!calendar)
    return CalendarFileError{std::string(fileName), 0, std::string(Describe(calendar.error()))};
  return *std::move(calendar);
}

}  // namespace

CalendarFileResult<BusinessCalendar> ReadCalendar(std::string_view text,
                                                  std::string_view fileName) {
  return MakeFrom(ReadCalendarOptions(text, fileName), fileName);
}

CalendarFileResult<BusinessCalendar> ReadCalendarFile(const std::filesystem::path& path) {
  return MakeFrom(ReadCalendarOptionsFile(path), path.string());
}

}  // namespace velunta

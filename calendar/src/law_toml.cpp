// The law file's TOML: every key known, every value of its type, the line of each kept.

#include "law_toml.h"

#include <limits>
#include <optional>

#include <toml++/toml.h>

#include "toml_reading.h"

namespace velunta::detail {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

struct Mistake {
  std::size_t line;
  std::string message;
};

constexpr std::string_view kTopKeys =
    "version, last_announced_equinox_year, substitute_holiday, citizens_holiday, holiday";
constexpr std::string_view kRowKeys =
    "name, list_name, name_en, kind, month, day, monday, equinox, first, last";

Mistake WrongType(std::string_view key, const toml::node& node, std::string_view wanted) {
  return {LineOf(node.source()), Cat({key, " must be ", wanted, ", not ", TypeName(node.type())})};
}

Mistake Unknown(const toml::key& key, std::string_view where, std::string_view accepted) {
  return {LineOf(key.source()),
          Cat({"unknown key '", key.str(), "'", where, "; accepted: ", accepted})};
}

std::optional<Mistake> ReadText(std::string_view key, const toml::node& node, std::string& out) {
  const auto* value = node.as_string();
  if (value == nullptr) return WrongType(key, node, "a text");
  out = value->get();
  return std::nullopt;
}

// Integers beyond int are refused here; their ranges are the law's to check.
std::optional<Mistake> ReadInt(std::string_view key, const toml::node& node, int& out) {
  const auto* value = node.as_integer();
  if (value == nullptr) return WrongType(key, node, "an integer");
  const std::int64_t number = value->get();
  if (number < std::numeric_limits<int>::min() / 2 || number > std::numeric_limits<int>::max() / 2)
    return Mistake{LineOf(node.source()),
                   Cat({key, " ", std::to_string(number), " is out of range"})};
  out = static_cast<int>(number);
  return std::nullopt;
}

std::optional<Mistake> ReadDate(std::string_view key, const toml::node& node, year_month_day& out) {
  const auto* value = node.as_date();
  if (value == nullptr) return WrongType(key, node, "a date such as 1973-04-12");
  const toml::date date = value->get();
  out = year{date.year} / month{date.month} / day{date.day};
  return std::nullopt;
}

// Keeps the earlier of two mistakes: toml++ walks keys in name order, not in the file's.
void KeepFirst(std::optional<Mistake>& first, std::optional<Mistake> mistake) {
  if (mistake && (!first || mistake->line < first->line)) first = std::move(mistake);
}

// Reads [substitute_holiday] or [citizens_holiday]: two dates named `firstKey` and `secondKey`.
std::optional<Mistake> ReadRuleDates(const toml::key& tableKey, const toml::node& node,
                                     std::string_view firstKey, std::string_view secondKey,
                                     year_month_day& first, year_month_day& second,
                                     KeyLines& lines) {
  const auto* table = node.as_table();
  if (table == nullptr) return WrongType(tableKey.str(), node, "a table");
  std::optional<Mistake> mistake;
  const std::string prefix = Cat({tableKey.str(), "."});
  for (const auto& [key, value] : *table) {
    const std::string name = prefix + std::string(key.str());
    lines[name] = LineOf(key.source());
    if (key.str() == firstKey) {
      KeepFirst(mistake, ReadDate(name, value, first));
    } else if (key.str() == secondKey) {
      KeepFirst(mistake, ReadDate(name, value, second));
    } else {
      KeepFirst(mistake,
                Unknown(key, Cat({" in ", tableKey.str()}), Cat({firstKey, ", ", secondKey})));
    }
  }
  for (const auto key : {firstKey, secondKey}) {
    if (!table->contains(key)) {
      KeepFirst(mistake, Mistake{LineOf(node.source()), Cat({tableKey.str(), " needs ", key})});
    }
  }
  return mistake;
}

std::optional<Mistake> ReadKind(const toml::node& node, HolidayKind& kind) {
  std::string text;
  if (auto mistake = ReadText("kind", node, text)) return mistake;
  if (text == "national") {
    kind = HolidayKind::national;
  } else if (text == "special-act") {
    kind = HolidayKind::specialAct;
  } else {
    return Mistake{LineOf(node.source()),
                   Cat({"bad kind '", text, "'; accepted: national, special-act"})};
  }
  return std::nullopt;
}

std::optional<Mistake> ReadRow(const toml::table& table, LawRow& row, KeyLines& lines) {
  std::optional<Mistake> mistake;
  int rules = 0;
  bool hasLast = false;
  for (const auto& [key, node] : table) {
    const std::string_view name = key.str();
    lines[std::string(name)] = LineOf(key.source());
    int number = 0;
    if (name == "name") {
      KeepFirst(mistake, ReadText(name, node, row.name));
    } else if (name == "list_name") {
      KeepFirst(mistake, ReadText(name, node, row.listName));
    } else if (name == "name_en") {
      KeepFirst(mistake, ReadText(name, node, row.nameEn));
    } else if (name == "kind") {
      KeepFirst(mistake, ReadKind(node, row.kind));
    } else if (name == "month") {
      KeepFirst(mistake, ReadInt(name, node, number));
      row.month = number < 0 ? 0 : static_cast<unsigned>(number);
      if (number < 0) KeepFirst(mistake, Mistake{LineOf(node.source()), "month must be 1..12"});
    } else if (name == "day" || name == "monday") {
      ++rules;
      row.rule = name == "day" ? LawDayRule::fixedDay : LawDayRule::nthMonday;
      KeepFirst(mistake, ReadInt(name, node, number));
      if (number < 0) {
        KeepFirst(mistake, Mistake{LineOf(node.source()), Cat({name, " must be positive"})});
      }
      row.value = number < 0 ? 0 : static_cast<unsigned>(number);
    } else if (name == "equinox") {
      ++rules;
      row.rule = LawDayRule::equinox;
      row.value = 0;
      const auto* flag = node.as_boolean();
      if (flag == nullptr || !flag->get()) {
        KeepFirst(mistake, Mistake{LineOf(node.source()),
                                   "equinox must be true (leave it out for another rule)"});
      }
    } else if (name == "first") {
      KeepFirst(mistake, ReadInt(name, node, row.first));
    } else if (name == "last") {
      hasLast = true;
      KeepFirst(mistake, ReadInt(name, node, row.last));
    } else {
      KeepFirst(mistake, Unknown(key, " in [[holiday]]", kRowKeys));
    }
  }
  // A missing key is told only when nothing else is wrong in the row: a misspelt key is both.
  if (mistake) return mistake;
  const std::size_t line = LineOf(table.source());
  for (const std::string_view needed : {"name", "name_en", "kind", "month", "first"}) {
    if (!table.contains(needed)) {
      KeepFirst(mistake, Mistake{line, Cat({"[[holiday]] needs ", needed})});
    }
  }
  if (rules != 1) {
    KeepFirst(mistake, Mistake{line, "[[holiday]] needs exactly one of day, monday, equinox"});
  }
  if (!hasLast) row.last = static_cast<int>(kLastYear);  // still in force
  return mistake;
}

std::optional<Mistake> ReadHolidays(const toml::node& node, LawText& law) {
  const auto* array = node.as_array();
  if (array == nullptr || !array->is_array_of_tables()) {
    return WrongType("holiday", node, "[[holiday]] tables");
  }
  std::optional<Mistake> mistake;
  for (const toml::node& element : *array) {
    const toml::table& table = *element.as_table();
    LawRow row;
    KeyLines keys;
    KeepFirst(mistake, ReadRow(table, row, keys));
    law.description.rows.push_back(std::move(row));
    law.lines.rows.push_back(LineOf(table.source()));
    law.lines.rowKeys.push_back(std::move(keys));
  }
  return mistake;
}

std::optional<Mistake> Read(const toml::table& table, LawText& law) {
  std::optional<Mistake> mistake;
  LawDescription& d = law.description;
  for (const auto& [key, node] : table) {
    const std::string_view name = key.str();
    law.lines.top[std::string(name)] = LineOf(key.source());
    if (name == "version") {
      KeepFirst(mistake, ReadText(name, node, d.version));
    } else if (name == "last_announced_equinox_year") {
      KeepFirst(mistake, ReadInt(name, node, d.lastAnnouncedEquinoxYear));
    } else if (name == "substitute_holiday") {
      KeepFirst(mistake, ReadRuleDates(key, node, "from", "next_free_day_from", d.substituteFrom,
                                       d.substituteNextFreeDay, law.lines.top));
    } else if (name == "citizens_holiday") {
      KeepFirst(mistake, ReadRuleDates(key, node, "from", "any_weekday_from", d.citizensFrom,
                                       d.citizensAnyWeekday, law.lines.top));
    } else if (name == "holiday") {
      KeepFirst(mistake, ReadHolidays(node, law));
    } else {
      KeepFirst(mistake, Unknown(key, "", kTopKeys));
    }
  }
  for (const std::string_view needed : {"version", "last_announced_equinox_year",
                                        "substitute_holiday", "citizens_holiday", "holiday"}) {
    if (!table.contains(needed)) KeepFirst(mistake, Mistake{1, Cat({"the file needs ", needed})});
  }
  return mistake;
}

}  // namespace

std::size_t LawLines::LineOf(const LawProblem& problem) const {
  if (!problem.row) {
    const auto at = top.find(problem.field);
    return at == top.end() ? 0 : at->second;
  }
  const std::size_t row = *problem.row;
  if (row >= rows.size()) return 0;
  const auto at = rowKeys[row].find(problem.field);
  return at == rowKeys[row].end() ? rows[row] : at->second;
}

std::variant<LawText, CalendarFileError> ParseLawText(std::string_view text,
                                                      std::string_view fileName) {
  const std::string file(fileName);
  try {
    const toml::table table = toml::parse(text, fileName);
    LawText law;
    if (auto mistake = Read(table, law)) {
      return CalendarFileError{file, mistake->line, OneLine(mistake->message)};
    }
    return law;
  } catch (const toml::parse_error& error) {
    return CalendarFileError{file, LineOf(error.source()), OneLine(error.description())};
  }
}

}  // namespace velunta::detail

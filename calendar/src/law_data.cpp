// The law in use: the built-in one, compiled from the law file by the build, or one made from
// newer data; and the checks that make a description a law the engine answers rightly by.

#include <velunta/law.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>

#include "law.h"
#include "law_tables.h"

namespace velunta::detail {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

constexpr HolidayKind N = HolidayKind::national;
constexpr HolidayKind S = HolidayKind::specialAct;

// kBuiltInVersion, kBuiltInLastAnnouncedEquinoxYear, kBuiltInDates and kBuiltInRules, sorted by
// month, written by make_law_table.cpp from calendar/data/law.toml.
#include "law_table.inc"

static_assert(IsoDate(kBuiltInVersion).ok(), "law.toml's version is no date");

constinit const LawTables kBuiltIn{kBuiltInRules, kBuiltInDates, kBuiltInLastAnnouncedEquinoxYear,
                                   kBuiltInVersion, "built in"};

Rule RuleOf(const LawRow& row) {
  return Rule{row.month, row.rule, row.value,    row.first, row.last,
              row.kind,  row.name, row.listName, row.nameEn};
}

// Returns the rules of a description, viewing its strings, sorted by month.
std::vector<Rule> SortedRules(const LawDescription& description) {
  std::vector<Rule> rules;
  rules.reserve(description.rows.size());
  for (const LawRow& row : description.rows) rules.push_back(RuleOf(row));
  std::stable_sort(rules.begin(), rules.end(),
                   [](const Rule& a, const Rule& b) { return a.month < b.month; });
  return rules;
}

// A law made at run time with the description its rows view. Never moved nor freed (see
// <velunta/law.h>): the list keeps each one reachable.
struct MadeLaw {
  MadeLaw(LawDescription data, std::string from)
      : description(std::move(data)),
        source(std::move(from)),
        rules(SortedRules(description)),
        tables(rules,
               RuleDates{description.substituteFrom, description.substituteNextFreeDay,
                         description.citizensFrom, description.citizensAnyWeekday},
               description.lastAnnouncedEquinoxYear, description.version, source) {}
  MadeLaw(const MadeLaw&) = delete;
  MadeLaw& operator=(const MadeLaw&) = delete;

  const LawDescription description;
  const std::string source;
  const std::vector<Rule> rules;
  const LawTables tables;
};

std::mutex madeMutex;
std::vector<MadeLaw*>* made = nullptr;  // guarded by madeMutex

const MadeLaw* MadeFrom(const LawTables& tables) {
  const std::lock_guard lock(madeMutex);
  if (made == nullptr) return nullptr;
  for (const MadeLaw* law : *made) {
    if (&law->tables == &tables) return law;
  }
  return nullptr;
}

LawProblem Problem(std::optional<std::size_t> row, std::string_view field, std::string message) {
  return LawProblem{row, std::string(field), std::move(message)};
}

std::string YearSpan(int first, int last) {
  std::string text = std::to_string(first);
  if (last != first) text.append("..").append(std::to_string(last));
  return text;
}

constexpr int kFirst = static_cast<int>(kFirstYear);
constexpr int kLast = static_cast<int>(kLastYear);

// The checks of one row on its own.
std::optional<LawProblem> CheckRow(const LawRow& row, std::size_t i) {
  if (row.name.empty()) return Problem(i, "name", "name must not be empty");
  if (row.nameEn.empty()) return Problem(i, "name_en", "name_en must not be empty");
  if (row.kind != HolidayKind::national && row.kind != HolidayKind::specialAct) {
    return Problem(i, "kind", "bad kind; accepted: national, special-act");
  }
  if (row.month < 1 || row.month > 12) {
    return Problem(i, "month", "month " + std::to_string(row.month) + " does not exist");
  }
  switch (row.rule) {
    case LawDayRule::fixedDay: {
      const std::chrono::month_day md{month{row.month}, day{row.value}};
      if (row.value > 31 || !md.ok()) {
        return Problem(i, "day",
                       "no such day: month " + std::to_string(row.month) + ", day " +
                           std::to_string(row.value));
      }
      if (row.month == 2 && row.value == 29) {
        return Problem(i, "day", "February 29 is not in every year; give the years' own rows");
      }
      break;
    }
    case LawDayRule::nthMonday:
      if (row.value < 1 || row.value > 4) {
        return Problem(i, "monday",
                       "monday " + std::to_string(row.value) +
                           ": accepted 1..4 (a fifth Monday is not in every month)");
      }
      break;
    case LawDayRule::equinox:
      if (row.month != 3 && row.month != 9) {
        return Problem(i, "month",
                       "an equinox falls in month 3 or 9, not " + std::to_string(row.month));
      }
      break;
  }
  for (const auto& [field, value] : {std::pair{"first", row.first}, std::pair{"last", row.last}}) {
    if (value < kFirst || value > kLast) {
      return Problem(i, field,
                     std::string(field) + " " + std::to_string(value) +
                         " is out of range; accepted: 1600..2399");
    }
  }
  if (row.first > row.last) {
    return Problem(
        i, "last",
        "last " + std::to_string(row.last) + " is before first " + std::to_string(row.first));
  }
  return std::nullopt;
}

std::optional<LawProblem> CheckOwnFields(const LawDescription& law) {
  if (!IsoDate(law.version).ok()) {
    return Problem(std::nullopt, "version",
                   "version '" + law.version + "' is no date; accepted: YYYY-MM-DD");
  }
  if (law.lastAnnouncedEquinoxYear < kFirst || law.lastAnnouncedEquinoxYear > kLast) {
    return Problem(std::nullopt, "last_announced_equinox_year",
                   "last_announced_equinox_year " + std::to_string(law.lastAnnouncedEquinoxYear) +
                       " is out of range; accepted: 1600..2399");
  }
  const std::pair<const char*, year_month_day> dates[] = {
      {"substitute_holiday.from", law.substituteFrom},
      {"substitute_holiday.next_free_day_from", law.substituteNextFreeDay},
      {"citizens_holiday.from", law.citizensFrom},
      {"citizens_holiday.any_weekday_from", law.citizensAnyWeekday}};
  for (const auto& [field, date] : dates) {
    if (!date.ok() || date < kActInForce || date > kLastDate) {
      return Problem(std::nullopt, field,
                     std::string(field) + " must be a date from 1948-07-20 to 2399-12-31");
    }
  }
  if (law.substituteNextFreeDay < law.substituteFrom) {
    return Problem(std::nullopt, "substitute_holiday.next_free_day_from",
                   "substitute_holiday.next_free_day_from is before its from");
  }
  if (law.citizensAnyWeekday < law.citizensFrom) {
    return Problem(std::nullopt, "citizens_holiday.any_weekday_from",
                   "citizens_holiday.any_weekday_from is before its from");
  }
  return std::nullopt;
}

// Rows of one holiday must not overlap in years, and no two rows may fall on one date: the
// engine would answer by whichever it met first.
std::optional<LawProblem> CheckTogether(const LawDescription& law) {
  const auto& rows = law.rows;
  for (std::size_t j = 0; j < rows.size(); ++j) {
    for (std::size_t i = 0; i < j; ++i) {
      if (rows[i].name != rows[j].name) continue;
      const int from = std::max(rows[i].first, rows[j].first);
      const int to = std::min(rows[i].last, rows[j].last);
      if (from <= to) {
        return Problem(
            j, "first",
            "this row of " + rows[j].name + " overlaps another row of it in " + YearSpan(from, to));
      }
    }
  }
  std::vector<Rule> rules;
  rules.reserve(rows.size());
  for (const LawRow& row : rows) rules.push_back(RuleOf(row));
  std::vector<std::pair<year_month_day, std::size_t>> dates;
  for (int y = kFirstHolidayYear; y <= kLast; ++y) {
    dates.clear();
    for (std::size_t i = 0; i < rules.size(); ++i) {
      if (y < rules[i].first || y > rules[i].last) continue;
      dates.emplace_back(RowDate(rules[i], year{y}), i);
    }
    std::sort(dates.begin(), dates.end());
    for (std::size_t k = 1; k < dates.size(); ++k) {
      if (dates[k].first != dates[k - 1].first) continue;
      const std::size_t later = std::max(dates[k].second, dates[k - 1].second);
      const std::size_t earlier = std::min(dates[k].second, dates[k - 1].second);
      return Problem(later, "",
                     "this row of " + rows[later].name + " falls on the day of " +
                         rows[earlier].name + " in " + std::to_string(y));
    }
  }
  return std::nullopt;
}

constexpr std::size_t kMostRows = 1000;  // a hundred years of new holidays would not reach it

}  // namespace

constinit std::atomic<const LawTables*> lawInUse{&kBuiltIn};

}  // namespace velunta::detail

namespace velunta {

std::string_view Law::Version() const noexcept {
  return tables_->version;
}
std::chrono::year_month_day Law::VersionDate() const noexcept {
  return tables_->versionDate;
}
std::string_view Law::Source() const noexcept {
  return tables_->source;
}
std::chrono::year Law::LastAnnouncedEquinoxYear() const noexcept {
  return std::chrono::year{tables_->lastAnnouncedEquinoxYear};
}

LawDescription Law::Describe() const {
  if (const auto* made = detail::MadeFrom(*tables_)) return made->description;
  const detail::RuleDates& dates = tables_->dates;
  LawDescription law{std::string(tables_->version),
                     tables_->lastAnnouncedEquinoxYear,
                     dates.substituteFrom,
                     dates.substituteNextFreeDay,
                     dates.citizensFrom,
                     dates.citizensAnyWeekday,
                     {}};
  for (const detail::Rule& rule : tables_->rules) {
    law.rows.push_back(LawRow{std::string(rule.name), std::string(rule.listName),
                              std::string(rule.nameEn), rule.kind, rule.month, rule.on, rule.value,
                              rule.first, rule.last});
  }
  return law;
}

std::chrono::year LastAnnouncedEquinoxYear() noexcept {
  return std::chrono::year{detail::InUse().lastAnnouncedEquinoxYear};
}

bool IsOfficialEquinox(std::chrono::year y, Season season) noexcept {
  const std::chrono::year first{season == Season::vernal ? 1949 : 1948};
  return y >= first && y <= LastAnnouncedEquinoxYear();
}

const Law& BuiltInLaw() noexcept {
  return detail::kBuiltIn.handle;
}

const Law& CurrentLaw() noexcept {
  return detail::InUse().handle;
}

void UseLaw(const Law& law) noexcept {
  detail::lawInUse.store(&law.Tables(), std::memory_order_release);
}

std::optional<LawProblem> CheckLaw(const LawDescription& description) {
  using namespace detail;
  if (description.rows.size() > kMostRows) {
    return Problem(std::nullopt, "holiday", "more than 1000 [[holiday]] rows");
  }
  if (auto problem = CheckOwnFields(description)) return problem;
  for (std::size_t i = 0; i < description.rows.size(); ++i) {
    if (auto problem = CheckRow(description.rows[i], i)) return problem;
  }
  return CheckTogether(description);
}

std::variant<const Law*, LawProblem> MakeLaw(LawDescription description, std::string source) {
  using namespace detail;
  if (auto problem = CheckLaw(description)) return *std::move(problem);

  const std::lock_guard lock(madeMutex);
  if (made == nullptr) made = new std::vector<MadeLaw*>();
  // The same data read again (a reload with no change) is the law already made: a server
  // reloaded often keeps one copy of each law it has answered by.
  for (const MadeLaw* known : *made) {
    if (known->source == source && known->description == description) {
      return &known->tables.handle;
    }
  }
  auto law = std::make_unique<MadeLaw>(std::move(description), std::move(source));
  made->push_back(law.get());
  return &law.release()->tables.handle;
}

}  // namespace velunta

#include "classic_days.h"

#include <cstdint>
#include <string>

#include <velunta/Mdl_Velunta.h>

#include "arguments.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;
namespace mdl = Mdl_Velunta;

// The module names its holidays in Japanese only; the English names by holiday id.
std::string_view EnglishName(std::int16_t id) {
  switch (id) {
    case mdl::kNewYearsDay:
      return "New Year's Day";
    case mdl::kComingOfAgeDay:
      return "Coming of Age Day";
    case mdl::kFoundationDay:
      return "National Foundation Day";
    case mdl::kVernalEquinoxDay:
      return "Vernal Equinox Day";
    case mdl::kEmperorsBirthdayOld:
      return "The Emperor's Birthday";
    case mdl::kGreeneryDayOld:
      return "Greenery Day";
    case mdl::kConstitutionDay:
      return "Constitution Memorial Day";
    case mdl::kCitizensHoliday:
      return "Citizens' Holiday";
    case mdl::kChildrensDay:
      return "Children's Day";
    case mdl::kMarineDay:
      return "Marine Day";
    case mdl::kRespectForTheAgedDay:
      return "Respect for the Aged Day";
    case mdl::kAutumnalEquinoxDay:
      return "Autumnal Equinox Day";
    case mdl::kHealthAndSportsDay:
      return "Health and Sports Day";
    case mdl::kCultureDay:
      return "Culture Day";
    case mdl::kLabourThanksgivingDay:
      return "Labour Thanksgiving Day";
    case mdl::kEmperorsBirthdayNew:
      return "The Emperor's Birthday";
    case mdl::kShowaDay:
      return "Showa Day";
    case mdl::kGreeneryDayNew:
      return "Greenery Day";
    default:
      return {};
  }
}

// Returns the record of a classified date: code 0 a working day, 1 a plain Sunday, 2 a substitute
// holiday, otherwise a holiday id plus 1 when it falls on a Sunday.
DayRecord FromCode(year_month_day date, std::int16_t code) {
  DayRecord record{date, {}, {}, kKindWorkingDay};
  if (code == mdl::kWorkingDay) return record;
  if (code == mdl::kPlainSunday) {
    record.kind = kKindSunday;
    return record;
  }
  std::string name;
  std::int16_t kind = 0;
  if (!mdl::GetHolidayName(code, name, kind)) {
    throw UsageError("the holiday code " + std::to_string(code) + " of " + SlashDate(date) +
                     " has no name");
  }
  const auto id = static_cast<std::int16_t>(code - code % 10);
  record.name = std::move(name);
  if (code == mdl::kSubstituteHoliday) {
    record.nameEn = "Substitute Holiday";
    record.kind = kKindSubstitute;
  } else {
    record.nameEn = std::string(EnglishName(id));
    record.kind = id == mdl::kCitizensHoliday ? kKindCitizens : kKindNational;
  }
  return record;
}

DayRecord Classify(year_month_day date, const std::string& text) {
  std::int16_t isHoliday = mdl::kFalse;
  std::int16_t code = 0;
  if (!mdl::GetHolidayInfoByText(text, isHoliday, code)) {
    throw UsageError("the fixed table cannot classify " + Quoted(text));
  }
  return FromCode(date, code);
}

}  // namespace

DayRecord ClassicDay(std::string_view text) {
  const auto date = ReadDate(text, Rules::classic);
  return Classify(date, std::string(text));
}

std::vector<DayRecord> ClassicDays(year_month_day first, year_month_day last, bool sundays) {
  std::vector<DayRecord> list;
  const std::int16_t includeSundays = sundays ? mdl::kTrue : mdl::kFalse;
  for (year y = first.year(); y <= last.year(); ++y) {
    const auto number = static_cast<std::int16_t>(static_cast<int>(y));
    std::int16_t count = 0;
    std::vector<std::string> dates;
    std::vector<std::string> names;
    std::vector<std::int16_t> weekdays;
    if (!mdl::GetYearHolidays(number, includeSundays, count, dates, names, weekdays)) {
      throw UsageError("the fixed table cannot list the year " + std::to_string(number));
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(count) && i < dates.size(); ++i) {
      const auto date = ReadDate(dates[i], Rules::classic);
      if (date < first || date > last) continue;
      // The list gives names, not codes: the code of each listed day tells its kind and its
      // English name; the Japanese name is the list's own, as the window shows it.
      auto record = Classify(date, dates[i]);
      if (i < names.size()) record.name = names[i];
      list.push_back(std::move(record));
    }
  }
  return list;
}

}  // namespace velunta::cli

// The module Mdl_Velunta as a source of records, read the way the window reads it: dates by
// their text, names as its list writes them.

#include <cstdint>
#include <string>
#include <vector>

#include <velunta/Mdl_Velunta.h>
#include <velunta/records/day_source.h>
#include <velunta/records/records_error.h>
#include <velunta/runtime/date_text.h>

namespace velunta::records {
namespace {

using namespace std::chrono;
namespace mdl = Mdl_Velunta;

// The module keeps two older spellings; the law's names carry the English names.
std::string_view LawNameOf(std::string_view moduleName) {
  if (moduleName == "元旦") return "元日";
  if (moduleName == "建国記念日") return "建国記念の日";
  return moduleName;
}

// Returns the record of a classified date: code 0 no holiday, 1 a plain Sunday, 2 a substitute
// holiday, otherwise a holiday id plus 1 when it falls on a Sunday.
DayRecord FromCode(year_month_day date, std::int16_t code) {
  DayRecord record{date, PlainKind(date), {}, {}, code != mdl::kWorkingDay, false, {}};
  if (code == mdl::kWorkingDay) return record;
  if (code == mdl::kPlainSunday) {
    // As the window's check names it; the window's list leaves the name out (see ForEachDayOff).
    record.name = kSundayName;
    record.nameEn = kSundayNameEn;
    return record;
  }
  std::string name;
  std::int16_t kind = 0;
  if (!mdl::GetHolidayName(code, name, kind)) {
    throw RecordsError("the holiday code " + std::to_string(code) + " of " + SlashDate(date) +
                       " has no name");
  }
  const auto id = static_cast<std::int16_t>(code - code % 10);
  record.nameEn = std::string(EnglishHolidayName(LawNameOf(name)));
  record.name = std::move(name);
  if (code == mdl::kSubstituteHoliday) {
    record.kind = DayKind::substitute;
  } else {
    record.kind = id == mdl::kCitizensHoliday ? DayKind::citizens : DayKind::national;
  }
  return record;
}

DayRecord Classify(year_month_day date, const std::string& text) {
  std::int16_t isHoliday = mdl::kFalse;
  std::int16_t code = 0;
  if (!mdl::GetHolidayInfoByText(text, isHoliday, code)) {
    throw RecordsError("the fixed table cannot classify '" + text + "'");
  }
  return FromCode(date, code);
}

class Classic final : public DaySource {
 public:
  year FirstYear() const noexcept override { return year{runtime::kFirstDateYear}; }
  year LastYear() const noexcept override { return year{runtime::kLastDateYear}; }

  DayRecord Day(year_month_day date) const override {
    if (!Covers(date)) throw RecordsError("not a date the fixed table reads");
    return Classify(date, SlashDate(date));
  }

  void ForEachDayOff(year_month_day first, year_month_day last, bool sundays,
                     const std::function<void(const DayRecord&)>& visit) const override {
    if (!Covers(first) || !Covers(last)) throw RecordsError("not a date the fixed table reads");
    if (last < first) throw RecordsError(std::string(Describe(CalendarError::invalidRange)));
    const std::int16_t includeSundays = sundays ? mdl::kTrue : mdl::kFalse;
    std::vector<std::string> dates;
    std::vector<std::string> names;
    std::vector<std::int16_t> weekdays;
    for (year y = first.year(); y <= last.year(); ++y) {
      const auto number = static_cast<std::int16_t>(static_cast<int>(y));
      std::int16_t count = 0;
      dates.clear();
      names.clear();
      weekdays.clear();
      if (!mdl::GetYearHolidays(number, includeSundays, count, dates, names, weekdays)) {
        throw RecordsError("the fixed table cannot list the year " + std::to_string(number));
      }
      for (std::size_t i = 0; i < static_cast<std::size_t>(count) && i < dates.size(); ++i) {
        const auto date = runtime::ParseDate(dates[i]);
        if (!date || *date < first || *date > last) continue;
        // The list gives names, not codes: the code of each listed day tells its kind and its
        // English name; the Japanese name is the list's own, as the window shows it.
        auto record = Classify(*date, dates[i]);
        if (i < names.size()) record.name = names[i];
        if (record.name.empty()) record.nameEn.clear();
        visit(record);
      }
    }
  }

  year FirstEquinoxYear() const noexcept override { return year{mdl::kFirstEquinoxYear}; }
  year LastEquinoxYear() const noexcept override { return year{mdl::kLastEquinoxYear}; }

  YearEquinoxRecords Equinoxes(year y) const override {
    const auto number = static_cast<std::int16_t>(static_cast<int>(y));
    std::int16_t vernal = 0;
    std::int16_t autumnal = 0;
    if (y < FirstEquinoxYear() || y > LastEquinoxYear() ||
        !mdl::GetVernalEquinoxDay(number, vernal) ||
        !mdl::GetAutumnalEquinoxDay(number, autumnal)) {
      throw RecordsError("the fixed table has no equinox days for " + std::to_string(number));
    }
    return {{y, Season::vernal, y / March / day{static_cast<unsigned>(vernal)}, {}},
            {y, Season::autumnal, y / September / day{static_cast<unsigned>(autumnal)}, {}}};
  }
};

}  // namespace

const DaySource& ClassicSource() noexcept {
  static const Classic classic;
  return classic;
}

}  // namespace velunta::records

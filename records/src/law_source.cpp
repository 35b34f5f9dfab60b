// The law calendar as a source of records.

#include <string>

#include <velunta/records/day_source.h>
#include <velunta/records/records_error.h>

namespace velunta::records {
namespace {

using namespace std::chrono;

DayRecord FromHoliday(const Holiday& holiday) {
  return {holiday.date,
          KindOf(holiday.kind),
          std::string(holiday.name),
          std::string(holiday.nameEn),
          true,
          holiday.predicted,
          {}};
}

DayRecord PlainDay(year_month_day date) {
  const DayKind kind = PlainKind(date);
  if (kind != DayKind::sunday) return {date, kind, {}, {}, false, false, {}};
  return {date, kind, std::string(kSundayName), std::string(kSundayNameEn), true, false, {}};
}

template <class T>
const T& Checked(const Result<T>& result) {
  if (!result.has_value()) throw RecordsError(std::string(Describe(result.error())));
  return *result;
}

class Law final : public DaySource {
 public:
  explicit Law(LabelStyle style) : style_(style) {}

  year FirstYear() const noexcept override { return kFirstYear; }
  year LastYear() const noexcept override { return kLastYear; }

  DayRecord Day(year_month_day date) const override {
    const auto holiday = HolidayOn(date, style_);
    const auto& found = Checked(holiday);
    return found ? FromHoliday(*found) : PlainDay(date);
  }

  void ForEachDayOff(year_month_day first, year_month_day last, bool sundays,
                     const std::function<void(const DayRecord&)>& visit) const override {
    Checked(HolidaysBetween(first, first));  // the same refusals as a whole range
    Checked(HolidaysBetween(last, last));
    if (last < first) throw RecordsError(std::string(Describe(CalendarError::invalidRange)));
    for (year y = first.year(); y <= last.year(); ++y) {
      const auto yearList = HolidaysOfYear(y, style_);
      const auto& holidays = Checked(yearList);
      const year_month_day from = y == first.year() ? first : y / January / 1;
      const year_month_day to = y == last.year() ? last : y / December / 31;
      auto next = holidays.begin();
      auto visitHolidaysBefore = [&](sys_days limit) {
        for (; next != holidays.end() && sys_days{next->date} < limit; ++next) {
          if (next->date >= from && next->date <= to) visit(FromHoliday(*next));
        }
      };
      if (sundays) {
        sys_days sunday{from};
        sunday += (Sunday - weekday{sunday});  // the first Sunday on or after `from`
        for (; sunday <= sys_days{to}; sunday += weeks{1}) {
          visitHolidaysBefore(sunday);
          // A Sunday that is a holiday is listed once, as the holiday.
          if (next != holidays.end() && sys_days{next->date} == sunday) continue;
          visit(PlainDay(year_month_day{sunday}));
        }
      }
      visitHolidaysBefore(sys_days::max());
    }
  }

  year FirstEquinoxYear() const noexcept override { return kFirstYear; }
  year LastEquinoxYear() const noexcept override { return kLastYear; }

  YearEquinoxRecords Equinoxes(year y) const override {
    const auto both = EquinoxesOf(y);
    const auto& found = Checked(both);
    return {{y, Season::vernal, found.vernal.day, found.vernal},
            {y, Season::autumnal, found.autumnal.day, found.autumnal}};
  }

 private:
  LabelStyle style_;
};

}  // namespace

const DaySource& LawSource(LabelStyle style) noexcept {
  static const Law law(LabelStyle::official);
  static const Law listed(LabelStyle::officialList);
  return style == LabelStyle::official ? law : listed;
}

}  // namespace velunta::records

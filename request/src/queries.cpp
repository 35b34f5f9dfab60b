#include <velunta/request/queries.h>

#include <velunta/calendar.h>

namespace velunta::request {

using namespace std::chrono;

year_month_day TodayInJapan(sys_seconds now) noexcept {
  return year_month_day{floor<days>(now + kJstOffset)};
}

records::WriterOptions WriterFor(records::Format format, records::Lang lang,
                                 std::string_view version, bool byteOrderMark) {
  return {
      format, lang,
      "-//Velunta//velunta " + std::string(version) + (lang == records::Lang::en ? "//EN" : "//JA"),
      byteOrderMark};
}

Reading<std::vector<records::DayRecord>> NearestDaysOff(const records::DaySource& source,
                                                        year_month_day date,
                                                        records::DaySource::Direction direction,
                                                        int count, bool sundays, DateStyle style) {
  const bool forward = direction == records::DaySource::Direction::forward;
  // Strictly after (before) the date: the next day off from the day after on.
  const year_month_day start{sys_days{date} + days{forward ? 1 : -1}};
  std::vector<records::DayRecord> found;
  if (source.Covers(start)) {
    source.ForEachDayOffFrom(start, direction, sundays, [&](const records::DayRecord& day) {
      found.push_back(day);
      return static_cast<int>(found.size()) < count;
    });
  }
  if (static_cast<int>(found.size()) < count) {
    return Refusal{
        "only " + std::to_string(found.size()) + " of " + std::to_string(count) + " days off " +
            (forward ? "after " : "before ") + DateText(date, style) + " within the years " +
            std::to_string(static_cast<int>(source.FirstYear())) + " to " +
            std::to_string(static_cast<int>(source.LastYear())),
        std::nullopt, "",
        std::string("a date with that many days off ") + (forward ? "after it" : "before it")};
  }
  return found;
}

Reading<year> EquinoxYear(std::string_view text, const records::DaySource& source) {
  auto y = Year(text, source);
  if (!y.has_value()) return y;
  if (*y < source.FirstEquinoxYear() || *y > source.LastEquinoxYear()) {
    return Refusal{"year out of range for the classic equinox days", std::string(text), "",
                   std::to_string(static_cast<int>(source.FirstEquinoxYear())) + " to " +
                       std::to_string(static_cast<int>(source.LastEquinoxYear()))};
  }
  return y;
}

Refusal CalendarRefusal(CalendarError error, std::string request, DateStyle style) {
  if (error == CalendarError::outOfRange) {
    return Refusal{"result out of range: " + std::move(request), std::nullopt, "",
                   "requests answered within " + DateText(kFirstYear / January / 1, style) +
                       " to " + DateText(kLastYear / December / 31, style)};
  }
  return Refusal{std::string(Describe(error)) + ": " + std::move(request), std::nullopt, "", ""};
}

Reading<BusinessCalendar> CalendarWith(BusinessCalendarOptions base,
                                       const BusinessCalendarAdditions& additions,
                                       DateStyle style) {
  auto calendar = BusinessCalendar::Make(WithAdditions(std::move(base), additions));
  if (!calendar.has_value())
    return CalendarRefusal(calendar.error(), "the business calendar", style);
  return std::move(calendar).value();
}

}  // namespace velunta::request

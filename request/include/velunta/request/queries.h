#pragma once
// The questions the command and the server both answer, with their limits, once: the nearest
// days off, the equinox years, a business calendar built from a base and a request's additions.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include <velunta/business_calendar.h>
#include <velunta/records/day_source.h>
#include <velunta/records/day_writer.h>

#include <velunta/request/refusal.h>
#include <velunta/request/values.h>

namespace velunta::request {

// The most days next and previous list: about 50 years of holidays (a list answers longer spans).
inline constexpr int kMostNearestDays = 1000;
// The most business days one add moves: more than the 800 years the calendar covers.
inline constexpr int kMostBusinessDays = 1'000'000;

// Returns today's date in Japan at an instant.
std::chrono::year_month_day TodayInJapan(std::chrono::sys_seconds now) noexcept;

// Returns the writer options of a format and a language, with the PRODID every iCalendar file
// of this version carries: "-//Velunta//velunta 0.1.0//JA".
records::WriterOptions WriterFor(records::Format format, records::Lang lang,
                                 std::string_view version, bool byteOrderMark = false);

// Returns the `count` days off strictly after (forward) or before (backward) `date`, nearest
// first, found in full before any is returned: a count the source's years cannot fill is
// refused rather than answered in part.
Reading<std::vector<records::DayRecord>> NearestDaysOff(const records::DaySource& source,
                                                        std::chrono::year_month_day date,
                                                        records::DaySource::Direction direction,
                                                        int count, bool sundays, DateStyle style);

// Returns the year of a text whose equinox days the source gives (the classic table's are
// fewer). Its refusals name no parameter: they say which years they mean.
Reading<std::chrono::year> EquinoxYear(std::string_view text, const records::DaySource& source);

// Returns the refusal of a calendar request that failed, naming the request as typed:
// "result out of range: business add 2399/12/31 1; accepted: requests answered within …".
Refusal CalendarRefusal(CalendarError error, std::string request, DateStyle style);

// Returns the business calendar of a base's choices with a request's added to them.
Reading<BusinessCalendar> CalendarWith(BusinessCalendarOptions base,
                                       const BusinessCalendarAdditions& additions, DateStyle style);

}  // namespace velunta::request

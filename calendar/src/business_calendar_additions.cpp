// What a command line or a request adds to a calendar's own choices.

#include <velunta/business_calendar.h>

namespace velunta {

BusinessCalendarOptions WithAdditions(BusinessCalendarOptions base,
                                      const BusinessCalendarAdditions& additions) {
  if (additions.saturdayWorkday) {
    WeekdaySet weekend;
    for (unsigned c = 0; c < 7; ++c) {
      const std::chrono::weekday day{c};
      if (base.weekend.Contains(day) && day != std::chrono::Saturday) weekend.Add(day);
    }
    base.weekend = weekend;
  }
  base.bankClosingDays = base.bankClosingDays || additions.bankClosingDays;
  base.governmentClosingDays = base.governmentClosingDays || additions.governmentClosingDays;
  base.closed.insert(base.closed.end(), additions.closed.begin(), additions.closed.end());
  return base;
}

bool ChangesCalendar(const BusinessCalendarOptions& base,
                     const BusinessCalendarAdditions& additions) noexcept {
  return (additions.saturdayWorkday && base.weekend.Contains(std::chrono::Saturday)) ||
         (additions.bankClosingDays && !base.bankClosingDays) ||
         (additions.governmentClosingDays && !base.governmentClosingDays) ||
         !additions.closed.empty();
}

}  // namespace velunta

// The law calendar's questions: a day, a year, a range, the nearest holidays, the equinoxes.

#include <memory>
#include <mutex>
#include <optional>

#include <velunta/calendar.h>
#include <velunta/law.h>
#include <velunta/records/date_texts.h>
#include <velunta/records/day_source.h>
#include <velunta/request/queries.h>
#include <velunta/request/values.h>

#include "bindings.h"
#include "date_values.h"
#include "python_values.h"
#include "words.h"

namespace velunta::python {
namespace {

using namespace std::chrono;
using Direction = records::DaySource::Direction;

// Calendars whose closed days are the holidays (and, for days off, also the Sundays) of the law
// in use: a vector asks a bit per day instead of classifying each date again. Rebuilt when
// another law is put in use.
struct HolidayMasks {
  const Law* law;
  BusinessCalendar holidays;
  BusinessCalendar daysOff;
};

std::shared_ptr<const HolidayMasks> MasksOfLawInUse() {
  static std::mutex mutex;
  static std::shared_ptr<const HolidayMasks> masks;
  const std::lock_guard lock(mutex);
  const Law* law = &CurrentLaw();
  if (!masks || masks->law != law) {
    BusinessCalendarOptions holidays{.weekend = {}};
    BusinessCalendarOptions daysOff{.weekend = {Sunday}};
    masks = std::make_shared<const HolidayMasks>(HolidayMasks{
        law, BusinessCalendar::Make(holidays).value(), BusinessCalendar::Make(daysOff).value()});
  }
  return masks;
}

year_month_day DateOrToday(const py::object& date) {
  if (date.is_none()) {
    return request::TodayInJapan(floor<seconds>(system_clock::now()));
  }
  return ToDate(date);
}

py::list HolidayList(const records::DaySource& source, year_month_day first, year_month_day last,
                     bool sundays) {
  py::list list;
  source.ForEachDayOff(first, last, sundays,
                       [&list](const records::DayRecord& day) { list.append(PyHoliday(day)); });
  return list;
}

py::list Nearest(const py::object& date, Direction direction, int count, bool sundays,
                 const std::string& labels) {
  if (count < 1 || count > request::kMostNearestDays) {
    throw py::value_error(request::Worded({"number out of range", std::to_string(count), "",
                                           "1 to " + std::to_string(request::kMostNearestDays)},
                                          "count"));
  }
  const auto& source = records::LawSource(LabelsOf(labels));
  auto found = request::NearestDaysOff(source, DateOrToday(date), direction, count, sundays,
                                       request::DateStyle::iso);
  if (!found.has_value()) throw DateError(request::Worded(found.refusal()));
  py::list list;
  for (const auto& day : *found) list.append(PyHoliday(day));
  return list;
}

py::object NearestOne(const py::object& date, Direction direction, bool sundays,
                      const std::string& labels) {
  const auto& source = records::LawSource(LabelsOf(labels));
  const auto from = DateOrToday(date);
  const year_month_day start{sys_days{from} + days{direction == Direction::forward ? 1 : -1}};
  py::object found = py::none();
  if (!source.Covers(start)) return found;
  source.ForEachDayOffFrom(start, direction, sundays, [&found](const records::DayRecord& day) {
    found = PyHoliday(day);
    return false;
  });
  return found;
}

py::object PyEquinox(const Equinox& equinox) {
  return Classes().equinox(equinox.season == Season::vernal ? "vernal" : "autumnal",
                           PyUtcInstant(equinox.utc), PyDate(equinox.day), equinox.official);
}

}  // namespace

py::array OpenDays(const BusinessCalendar& calendar, py::handle dates, bool open) {
  const auto in = ToDays(dates);
  py::array_t<bool> out(in.shape);
  bool* answer = out.mutable_data();
  {
    const py::gil_scoped_release unlocked;
    // Every day was checked to lie in 1600..2399, so every question has an answer.
    for (std::size_t i = 0; i < in.days.size(); ++i) {
      answer[i] = calendar.IsBusinessDay(sys_days{days{in.days[i]}}).value_or(false) == open;
    }
  }
  return out;
}

void BindHolidays(py::module_& m) {
  using namespace pybind11::literals;

  m.def(
      "holiday",
      [](py::handle date, const std::string& labels) {
        return PyHolidayOrNone(HolidayOn(ToDate(date), LabelsOf(labels)).value());
      },
      "The holiday on a date (datetime.date, a date text or numpy.datetime64), or None.", "d"_a,
      py::kw_only(), "labels"_a = "law");

  m.def(
      "is_holiday",
      [](py::handle date) -> py::object {
        if (IsScalarDate(date)) return py::bool_(IsHoliday(ToDate(date)).value());
        return OpenDays(MasksOfLawInUse()->holidays, date, false);
      },
      "Whether a date is a holiday of any kind; for an array of dates, a bool array of its shape.",
      "d"_a);

  m.def(
      "is_day_off",
      [](py::handle date) -> py::object {
        if (IsScalarDate(date)) {
          const auto day = ToDate(date);
          return py::bool_(IsHoliday(day).value() || weekday{sys_days{day}} == Sunday);
        }
        return OpenDays(MasksOfLawInUse()->daysOff, date, false);
      },
      "Whether a date is a holiday or a Sunday; for an array of dates, a bool array of its shape.",
      "d"_a);

  m.def(
      "holidays",
      [](int yearNumber, bool sundays, const std::string& labels) {
        const auto y = ToYear(yearNumber);
        return HolidayList(records::LawSource(LabelsOf(labels)), y / January / 1, y / December / 31,
                           sundays);
      },
      "The holidays of a year in date order; with sundays, the Sundays no holiday falls on too.",
      "year"_a, py::kw_only(), "sundays"_a = false, "labels"_a = "law");

  m.def(
      "holidays_between",
      [](py::handle start, py::handle end, bool sundays, const std::string& labels) {
        const auto first = ToDate(start);
        const auto last = ToDate(end);
        if (const auto refusal = request::OutOfOrder(first, last, records::IsoDate(first),
                                                     records::IsoDate(last), "start", "end")) {
          throw DateError(request::Worded(*refusal));
        }
        return HolidayList(records::LawSource(LabelsOf(labels)), first, last, sundays);
      },
      "The holidays from start to end, both included, in date order.", "start"_a, "end"_a,
      py::kw_only(), "sundays"_a = false, "labels"_a = "law");

  m.def(
      "next_holiday",
      [](const py::object& date, bool sundays, const std::string& labels) {
        return NearestOne(date, Direction::forward, sundays, labels);
      },
      "The first holiday strictly after d (today in Japan when None), or None.", "d"_a = py::none(),
      py::kw_only(), "sundays"_a = false, "labels"_a = "law");
  m.def(
      "previous_holiday",
      [](const py::object& date, bool sundays, const std::string& labels) {
        return NearestOne(date, Direction::backward, sundays, labels);
      },
      "The last holiday strictly before d (today in Japan when None), or None.", "d"_a = py::none(),
      py::kw_only(), "sundays"_a = false, "labels"_a = "law");
  m.def(
      "next_holidays",
      [](const py::object& date, int count, bool sundays, const std::string& labels) {
        return Nearest(date, Direction::forward, count, sundays, labels);
      },
      "The count holidays strictly after d, nearest first.", "d"_a = py::none(), "count"_a = 1,
      py::kw_only(), "sundays"_a = false, "labels"_a = "law");
  m.def(
      "previous_holidays",
      [](const py::object& date, int count, bool sundays, const std::string& labels) {
        return Nearest(date, Direction::backward, count, sundays, labels);
      },
      "The count holidays strictly before d, nearest first.", "d"_a = py::none(), "count"_a = 1,
      py::kw_only(), "sundays"_a = false, "labels"_a = "law");

  m.def(
      "equinoxes",
      [](int yearNumber) {
        const auto both = EquinoxesOf(ToYear(yearNumber)).value();
        return py::make_tuple(PyEquinox(both.vernal), PyEquinox(both.autumnal));
      },
      "The vernal and the autumnal equinox of a year: instant (UTC), day in Japan, official.",
      "year"_a);
}

}  // namespace velunta::python

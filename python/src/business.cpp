// BusinessCalendar: one organisation's days, built once from its choices or its calendar file.

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include <velunta/business_calendar.h>
#include <velunta/calendar_file.h>
#include <velunta/records/date_texts.h>
#include <velunta/request/queries.h>

#include "bindings.h"
#include "date_values.h"
#include "python_values.h"
#include "words.h"

namespace velunta::python {
namespace {

using namespace std::chrono;

// Returns a TOML basic string holding `text`, so that a caller's words reach the calendar file
// reader as written, whatever they contain.
std::string TomlString(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20 || byte == 0x7f) {
      constexpr char kHex[] = "0123456789abcdef";
      quoted.append("\\u00").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xf]);
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

std::string TomlList(std::string_view key, const std::vector<std::string>& texts) {
  std::string line(key);
  line += " = [";
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) line += ", ";
    line += TomlString(texts[i]);
  }
  return line + "]\n";
}

// The weekend and the yearly closures are read by the calendar files' own reader, so that the
// constructor takes exactly a file's words ("saturday", "12-29..01-03") and refuses as it does.
// Weekdays may also be numbers as date.weekday() gives them (0 Monday .. 6 Sunday).
BusinessCalendarOptions ReadChoices(py::handle weekend, py::handle yearlyClosed) {
  std::vector<std::string> weekendNames;
  WeekdaySet weekendNumbers;
  for (const auto item : weekend) {
    if (PyLong_Check(item.ptr())) {
      const auto number = item.cast<long>();
      if (number < 0 || number > 6) {
        throw py::value_error("bad weekday " + std::to_string(number) +
                              " in weekend; accepted: 0 (Monday) to 6 (Sunday), or names");
      }
      weekendNumbers.Add(weekday{static_cast<unsigned>((number + 1) % 7)});
    } else {
      weekendNames.push_back(item.cast<std::string>());
    }
  }
  std::vector<std::string> ranges;
  for (const auto item : yearlyClosed) {
    if (PyUnicode_Check(item.ptr())) {
      ranges.push_back(item.cast<std::string>());
    } else {
      const auto pair = item.cast<std::pair<std::string, std::string>>();
      ranges.push_back(pair.first + ".." + pair.second);
    }
  }
  auto options = ReadCalendarOptions(
      TomlList("weekend", weekendNames) + TomlList("yearly_closed", ranges), "BusinessCalendar");
  if (!options) throw py::value_error(options.error().message);
  auto choices = std::move(options).value();
  for (unsigned c = 0; c < 7; ++c) {
    if (weekendNumbers.Contains(weekday{c})) choices.weekend.Add(weekday{c});
  }
  return choices;
}

std::vector<year_month_day> DatesOf(py::handle values) {
  std::vector<year_month_day> dates;
  for (const auto count : ToDays(values).days) dates.emplace_back(sys_days{days{count}});
  return dates;
}

[[noreturn]] void RefuseRequest(CalendarError error, std::string request) {
  throw DateError(request::Worded(
      request::CalendarRefusal(error, std::move(request), request::DateStyle::iso)));
}

template <class T>
T Answered(const Result<T>& result, const std::string& request) {
  if (!result.has_value()) RefuseRequest(result.error(), request);
  return *result;
}

// Business days beyond this many lie outside the covered years whatever the start.
int Steps(std::int64_t n) {
  return static_cast<int>(
      std::clamp<std::int64_t>(n, -request::kMostBusinessDays - 1, request::kMostBusinessDays + 1));
}

py::tuple Items(py::handle values) {
  if (PyUnicode_Check(values.ptr())) return py::make_tuple(values);
  return py::tuple(py::reinterpret_borrow<py::object>(values));
}

class PyBusinessCalendar {
 public:
  PyBusinessCalendar(BusinessCalendar calendar, std::string origin)
      : calendar_(std::move(calendar)), origin_(std::move(origin)) {}

  static PyBusinessCalendar Make(py::handle weekend, bool nationalHolidays, bool bankClosingDays,
                                 bool governmentClosingDays, py::handle yearlyClosed,
                                 py::handle closed, py::handle working) {
    // Read once (a generator would be empty the second time); one text is one item.
    const py::tuple weekendDays = Items(weekend);
    const py::tuple yearlyRanges = Items(yearlyClosed);
    auto options = ReadChoices(weekendDays, yearlyRanges);
    options.nationalHolidays = nationalHolidays;
    options.bankClosingDays = bankClosingDays;
    options.governmentClosingDays = governmentClosingDays;
    options.closed = DatesOf(closed);
    options.working = DatesOf(working);
    std::string origin = "BusinessCalendar(weekend=";
    origin.append(py::repr(weekendDays).cast<std::string>())
        .append(", national_holidays=")
        .append(nationalHolidays ? "True" : "False")
        .append(", bank_closing_days=")
        .append(bankClosingDays ? "True" : "False")
        .append(", government_closing_days=")
        .append(governmentClosingDays ? "True" : "False")
        .append(", yearly_closed=")
        .append(py::repr(yearlyRanges).cast<std::string>())
        .append(", closed=<")
        .append(std::to_string(options.closed.size()))
        .append(" dates>, working=<")
        .append(std::to_string(options.working.size()))
        .append(" dates>)");
    return {Answered(BusinessCalendar::Make(options), "the business calendar"), std::move(origin)};
  }

  static PyBusinessCalendar FromFile(const py::object& path) {
    const auto name = py::str(py::module_::import("os").attr("fspath")(path)).cast<std::string>();
    auto calendar = ReadCalendarFile(name);
    if (!calendar) throw FileError{calendar.error()};
    return {std::move(calendar).value(), std::string("BusinessCalendar.from_file(")
                                             .append(py::repr(py::str(name)).cast<std::string>())
                                             .append(")")};
  }

  py::object IsBusinessDay(py::handle date) const {
    if (IsScalarDate(date)) return py::bool_(calendar_.IsBusinessDay(ToDate(date)).value());
    return OpenDays(calendar_, date, true);
  }

  py::object Add(const py::object& date, const py::object& n) const {
    if (IsScalarDate(date) && PyLong_Check(n.ptr())) {
      const auto from = ToDate(date);
      const auto steps = n.cast<std::int64_t>();
      return PyDate(Answered(calendar_.Add(from, Steps(steps)),
                             "add " + records::IsoDate(from) + " " + std::to_string(steps)));
    }
    const auto [dates, counts] = Broadcast(date, n);
    const auto from = ToDays(dates);
    const auto steps = ToNumbers(counts);
    std::vector<std::int64_t> answer(from.days.size());
    std::optional<std::pair<std::size_t, CalendarError>> failed;
    {
      const py::gil_scoped_release unlocked;
      for (std::size_t i = 0; i < answer.size() && !failed; ++i) {
        const auto day = calendar_.Add(sys_days{days{from.days[i]}}, Steps(steps.values[i]));
        if (!day.has_value()) {
          failed.emplace(i, day.error());
        } else {
          answer[i] = day->time_since_epoch().count();
        }
      }
    }
    if (failed) {
      const auto i = failed->first;
      RefuseRequest(failed->second,
                    "add " + records::IsoDate(year_month_day{sys_days{days{from.days[i]}}}) + " " +
                        std::to_string(steps.values[i]) + " (" + ElementName(i, from.shape) + ")");
    }
    return DaysAsDatetime64(answer, from.shape);
  }

  py::object Count(const py::object& start, const py::object& end, bool inclusive) const {
    if (IsScalarDate(start) && IsScalarDate(end)) {
      const auto first = ToDate(start);
      const auto last = ToDate(end);
      const std::string request = "count " + records::IsoDate(first) + " " + records::IsoDate(last);
      return py::int_(inclusive ? Answered(calendar_.CountInclusive(first, last), request)
                                : Answered(calendar_.Count(first, last), request));
    }
    const auto [starts, ends] = Broadcast(start, end);
    const auto first = ToDays(starts);
    const auto last = ToDays(ends);
    py::array_t<std::int64_t> out(first.shape);
    std::int64_t* answer = out.mutable_data();
    std::optional<std::pair<std::size_t, CalendarError>> failed;
    {
      const py::gil_scoped_release unlocked;
      for (std::size_t i = 0; i < first.days.size() && !failed; ++i) {
        const sys_days from{days{first.days[i]}};
        const sys_days to{days{last.days[i]}};
        const auto counted =
            inclusive ? calendar_.CountInclusive(year_month_day{from}, year_month_day{to})
                      : calendar_.Count(from, to);
        if (!counted.has_value()) {
          failed.emplace(i, counted.error());
        } else {
          answer[i] = *counted;
        }
      }
    }
    if (failed) {
      const auto i = failed->first;
      RefuseRequest(failed->second,
                    "count " + records::IsoDate(year_month_day{sys_days{days{first.days[i]}}}) +
                        " " + records::IsoDate(year_month_day{sys_days{days{last.days[i]}}}) +
                        " (" + ElementName(i, first.shape) + ")");
    }
    return out;
  }

  py::object Next(py::handle date) const {
    const auto day = ToDate(date);
    return PyDate(Answered(calendar_.Next(day), "next " + records::IsoDate(day)));
  }

  py::object Previous(py::handle date) const {
    const auto day = ToDate(date);
    return PyDate(Answered(calendar_.Previous(day), "previous " + records::IsoDate(day)));
  }

  py::object Roll(py::handle date, const std::string& convention) const {
    const auto day = ToDate(date);
    return PyDate(Answered(calendar_.Roll(day, ConventionOf(convention)),
                           "roll " + records::IsoDate(day) + " " + convention));
  }

  py::list ClosedDays(const py::object& yearOrStart, const py::object& end) const {
    std::vector<ClosedDay> found;
    if (end.is_none() && PyLong_Check(yearOrStart.ptr())) {
      found = calendar_.ClosedDays(ToYear(yearOrStart.cast<int>())).value();
    } else {
      const auto first = ToDate(yearOrStart);
      const auto last = end.is_none() ? first : ToDate(end);
      found = Answered(calendar_.ClosedDays(first, last),
                       "closed " + records::IsoDate(first) + " " + records::IsoDate(last));
    }
    py::list list;
    for (const auto& day : found) {
      py::list ids;
      py::list names;
      for (const auto reason : day.reasons.List()) {
        const auto id = ClosedReasonId(reason);
        const auto name = ClosedReasonName(reason);
        ids.append(py::str(id.data(), id.size()));
        names.append(py::str(name.data(), name.size()));
      }
      list.append(Classes().closedDay(PyDate(day.date), py::tuple(ids), py::tuple(names),
                                      PyHolidayOrNone(day.holiday)));
    }
    return list;
  }

  const std::string& Origin() const { return origin_; }

 private:
  BusinessCalendar calendar_;
  std::string origin_;
};

}  // namespace

void BindBusiness(py::module_& m) {
  using namespace pybind11::literals;
  py::class_<PyBusinessCalendar>(m, "BusinessCalendar")
      .def(py::init(&PyBusinessCalendar::Make), "weekend"_a = py::make_tuple("saturday", "sunday"),
           "national_holidays"_a = true, "bank_closing_days"_a = false,
           "government_closing_days"_a = false, "yearly_closed"_a = py::tuple(),
           "closed"_a = py::tuple(), "working"_a = py::tuple())
      .def_static("from_file", &PyBusinessCalendar::FromFile,
                  "The calendar of a TOML calendar file, as the command reads it.", "path"_a)
      .def("is_business_day", &PyBusinessCalendar::IsBusinessDay,
           "Whether a date is a business day; for an array of dates, a bool array of its shape.",
           "d"_a)
      .def(
          "add", &PyBusinessCalendar::Add,
          "The n-th business day after d (before it for n < 0), d never counted; arrays broadcast.",
          "d"_a, "n"_a)
      .def("count", &PyBusinessCalendar::Count,
           "Business days d with start <= d < end (negative when end < start); inclusive: start <= "
           "d <= end.",
           "start"_a, "end"_a, py::kw_only(), "inclusive"_a = false)
      .def("next", &PyBusinessCalendar::Next, "The first business day after d.", "d"_a)
      .def("previous", &PyBusinessCalendar::Previous, "The last business day before d.", "d"_a)
      .def("roll", &PyBusinessCalendar::Roll,
           "d when open, else the business day the convention picks.", "d"_a,
           "convention"_a = "following")
      .def("closed_days", &PyBusinessCalendar::ClosedDays,
           "The closed days of a year or of start..end, each with its reasons.", "year_or_start"_a,
           "end"_a = py::none())
      .def("__repr__", &PyBusinessCalendar::Origin);
}

}  // namespace velunta::python

#include "date_values.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <utility>

#include <velunta/calendar.h>
#include <velunta/records/date_texts.h>
#include <velunta/records/day_source.h>
#include <velunta/request/refusal.h>
#include <velunta/request/values.h>

#include "python_values.h"

namespace velunta::python {
namespace {

using namespace std::chrono;

constexpr std::int64_t kNaT = std::numeric_limits<std::int64_t>::min();

const sys_days kFirstDay{kFirstDate};
const sys_days kLastDay{kLastDate};

// Finer units of datetime64 and how many of them make a day.
struct TickUnit {
  std::string_view unit;
  std::int64_t perDay;
};
constexpr TickUnit kTickUnits[] = {{"D", 1},
                                   {"h", 24},
                                   {"m", 24 * 60},
                                   {"s", 86'400},
                                   {"ms", 86'400'000},
                                   {"us", 86'400'000'000},
                                   {"ns", 86'400'000'000'000}};

[[noreturn]] void Refuse(request::Refusal refusal, std::string_view where) {
  throw DateError(request::Worded(refusal, where));
}

std::string Ranged() {
  return records::IsoDate(kFirstDate) + " to " + records::IsoDate(kLastDate);
}

[[noreturn]] void RefuseDateTime() {
  throw py::type_error(
      "a datetime.datetime is refused: its day depends on a time zone; pass "
      "d.astimezone(ZoneInfo(\"Asia/Tokyo\")).date() for the day in Japan, or d.date() for the "
      "day on its own clock");
}

year_month_day FromText(py::handle text, std::string_view where) {
  const auto view = text.cast<std::string_view>();
  auto date = request::Date(view, records::LawSource(), request::DateStyle::iso);
  if (!date.has_value()) Refuse(date.refusal(), where);
  return *date;
}

year_month_day FromObject(py::handle value, std::string_view where) {
  if (IsDateTime(value)) RefuseDateTime();
  if (const auto date = DateOf(value)) {
    if (!IsCovered(*date)) {
      Refuse({"date out of range", records::IsoDate(*date), "", Ranged()}, where);
    }
    return *date;
  }
  if (PyUnicode_Check(value.ptr())) return FromText(value, where);
  if (py::isinstance(value, Classes().datetime64)) {
    const auto one = ToDays(Classes().numpy.attr("asarray")(value));
    return year_month_day{sys_days{days{one.days.front()}}};
  }
  throw py::type_error(std::string("expected a date (datetime.date, numpy.datetime64 or a date "
                                   "text such as '2026-05-06'), got ")
                           .append(py::str(value.get_type().attr("__name__")).cast<std::string>()));
}

// Reads a datetime64 array: its int64 ticks, each a whole day from 1600 to 2399.
void FromDatetime64(py::array array, DayArray& out) {
  const auto& numpy = Classes().numpy;
  const auto data = numpy.attr("datetime_data")(array.dtype()).cast<py::tuple>();
  auto unit = data[0].cast<std::string>();
  // Years, months and weeks begin at midnight of a day: NumPy converts them exactly.
  if (unit == "Y" || unit == "M" || unit == "W") {
    unit = "D";
    array = array.attr("astype")("datetime64[D]");
  } else if (data[1].cast<int>() != 1) {
    array = array.attr("astype")("datetime64[" + unit + "]");
  }
  std::int64_t perDay = 0;
  for (const auto& tick : kTickUnits) {
    if (tick.unit == unit) perDay = tick.perDay;
  }
  // Only NaT has no unit: NumPy takes no other datetime64 without one.
  if (unit == "generic") Refuse({"not a date", "NaT", "", "a datetime64 other than NaT"}, "");
  if (perDay == 0) {
    throw DateError("datetime64 unit too fine for a date: '" + unit +
                    "'; accepted: D, h, m, s, ms, us, ns");
  }
  const auto ticks = py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>(
      array.attr("view")("int64"));
  const auto* begin = ticks.data();
  const auto size = static_cast<std::size_t>(ticks.size());
  out.days.resize(size);
  for (std::size_t i = 0; i < size; ++i) {
    const std::int64_t tick = begin[i];
    const auto where = [&] { return ElementName(i, out.shape); };
    if (tick == kNaT) Refuse({"not a date", "NaT", "", "a datetime64 other than NaT"}, where());
    // Day units, the common case, skip the division.
    if (perDay != 1 && tick % perDay != 0) {
      Refuse({"time of day in a date",
              py::str(array.attr("reshape")(-1)[py::int_(i)]).cast<std::string>(), "",
              "midnight: a datetime64 has no zone, so only 00:00 names a day"},
             where());
    }
    const std::int64_t count = perDay == 1 ? tick : tick / perDay;
    if (count < kFirstDay.time_since_epoch().count() ||
        count > kLastDay.time_since_epoch().count()) {
      Refuse({"date out of range",
              py::str(array.attr("reshape")(-1)[py::int_(i)]).cast<std::string>(), "", Ranged()},
             where());
    }
    out.days[i] = count;
  }
}

}  // namespace

bool IsScalarDate(py::handle value) {
  return IsDateTime(value) || DateOf(value) || PyUnicode_Check(value.ptr()) ||
         py::isinstance(value, Classes().datetime64);
}

year_month_day ToDate(py::handle value) {
  return FromObject(value, "");
}

DayArray ToDays(py::handle values) {
  py::array array = Classes().numpy.attr("asarray")(values);
  DayArray out;
  out.shape.assign(array.shape(), array.shape() + array.ndim());
  const char kind = array.dtype().kind();
  if (kind == 'M') {
    FromDatetime64(array, out);
    return out;
  }
  if (array.size() == 0) return out;
  if (kind == 'O' || kind == 'U') {
    out.days.reserve(static_cast<std::size_t>(array.size()));
    std::size_t i = 0;
    for (const auto item : array.attr("ravel")()) {
      const auto date = FromObject(item, ElementName(i++, out.shape));
      out.days.push_back(sys_days{date}.time_since_epoch().count());
    }
    return out;
  }
  throw py::type_error(std::string("expected dates (datetime64, datetime.date or date texts), got "
                                   "an array of ")
                           .append(py::str(array.dtype()).cast<std::string>()));
}

NumberArray ToNumbers(py::handle values) {
  py::array array = Classes().numpy.attr("asarray")(values);
  const char kind = array.dtype().kind();
  if (kind != 'i' && kind != 'u' && array.size() != 0) {
    throw py::type_error(std::string("expected whole numbers, got an array of ")
                             .append(py::str(array.dtype()).cast<std::string>()));
  }
  NumberArray out;
  out.shape.assign(array.shape(), array.shape() + array.ndim());
  const auto numbers = py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>(
      array.attr("astype")("int64"));
  out.values.assign(numbers.data(), numbers.data() + numbers.size());
  return out;
}

year ToYear(int value) {
  const year y{value};
  if (!IsCovered(y)) {
    Refuse({"year out of range", std::to_string(value), "",
            std::to_string(static_cast<int>(kFirstYear)) + " to " +
                std::to_string(static_cast<int>(kLastYear))},
           "");
  }
  return y;
}

std::pair<py::object, py::object> Broadcast(py::object a, py::object b) {
  const auto both = Classes()
                        .numpy
                        .attr("broadcast_arrays")(Classes().numpy.attr("asarray")(a),
                                                  Classes().numpy.attr("asarray")(b))
                        .cast<py::tuple>();
  return {both[0], both[1]};
}

std::string ElementName(std::size_t flat, const std::vector<py::ssize_t>& shape) {
  if (shape.empty()) return "";
  std::vector<std::size_t> index(shape.size());
  for (std::size_t axis = shape.size(); axis-- > 0;) {
    const auto extent = static_cast<std::size_t>(shape[axis]);
    index[axis] = flat % extent;
    flat /= extent;
  }
  std::string name = "element ";
  if (index.size() == 1) return name.append(std::to_string(index[0]));
  name += '(';
  for (std::size_t axis = 0; axis < index.size(); ++axis) {
    if (axis > 0) name += ", ";
    name += std::to_string(index[axis]);
  }
  return name.append(")");
}

py::array DaysAsDatetime64(const std::vector<std::int64_t>& days,
                           const std::vector<py::ssize_t>& shape) {
  py::array_t<std::int64_t> counts(shape);
  std::copy(days.begin(), days.end(), counts.mutable_data());
  return counts.attr("view")("datetime64[D]");
}

}  // namespace velunta::python

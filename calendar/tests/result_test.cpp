// Result<T> cannot be misread: no truth value for results whose value is itself one, and no
// reference into a dying temporary.

#include <gtest/gtest.h>

#include <optional>
#include <type_traits>
#include <vector>

#include <velunta/calendar.h>

namespace {

using namespace std::chrono;
using velunta::Result;

// True when `if (r)` / `!r` compile for a Result<T>.
template <class T>
constexpr bool kTestableAsBool = requires(const Result<T>& r) {
  static_cast<bool>(r);
  !r;
};

// `if (IsHoliday(d))` and `if (IsBusinessDay(d))` would be true on every valid date.
static_assert(!kTestableAsBool<bool>);
static_assert(!kTestableAsBool<int>);
static_assert(!kTestableAsBool<std::optional<velunta::Holiday>>);
static_assert(!std::is_convertible_v<Result<bool>, bool>);
// A value that is no truth value keeps the "has a value" test.
static_assert(kTestableAsBool<year_month_day>);
static_assert(kTestableAsBool<std::vector<velunta::Holiday>>);
static_assert(kTestableAsBool<velunta::Equinox>);

// value() and * on a temporary hand over the value, not a reference into it.
using Holidays = std::vector<velunta::Holiday>;
static_assert(std::is_same_v<decltype(std::declval<Result<Holidays>>().value()), Holidays>);
static_assert(std::is_same_v<decltype(*std::declval<Result<Holidays>>()), Holidays>);
static_assert(
    std::is_same_v<decltype(std::declval<const Result<Holidays>&>().value()), const Holidays&>);

TEST(Result, RangeForOverATemporaryResultSeesTheWholeYear) {
  // Under AddressSanitizer a dangling reference here is a stack-use-after-scope.
  std::vector<year_month_day> seen;
  for (const auto& holiday : velunta::HolidaysOfYear(2026y).value()) seen.push_back(holiday.date);
  for (const auto& holiday : *velunta::HolidaysOfYear(2026y)) seen.push_back(holiday.date);
  ASSERT_EQ(seen.size(), 2 * velunta::HolidaysOfYear(2026y)->size());
  EXPECT_EQ(seen.front(), 2026y / January / 1);
  EXPECT_EQ(seen[seen.size() / 2 - 1], 2026y / November / 23);
}

TEST(Result, TruthValuesReadExplicitly) {
  const auto workday = velunta::IsHoliday(2026y / May / 7);
  ASSERT_TRUE(workday.has_value());
  EXPECT_FALSE(*workday);
  EXPECT_EQ(velunta::IsHoliday(2026y / February / 30).error(), velunta::CalendarError::invalidDate);
  EXPECT_TRUE(velunta::IsHoliday(2026y / May / 6).value_or(false));
}

}  // namespace
